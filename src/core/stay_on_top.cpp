#include "core/stay_on_top.h"

#include "core/app.h"

namespace fc {

void toggleStayOnTop(App& app) {
    app.window.stayOnTop = !app.window.stayOnTop;
}

}  // namespace fc
