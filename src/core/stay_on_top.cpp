#include "core/stay_on_top.h"

#include "core/app.h"

namespace fc {

void toggleStayOnTop(App& app) {
    app.view.stayOnTop = !app.view.stayOnTop;
}

}  // namespace fc
