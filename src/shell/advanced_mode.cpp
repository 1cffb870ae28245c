#include "shell/advanced_mode.h"

#include "shell/app.h"

namespace fc {

void AdvancedAan(App& app) {
    app.view.Advanced = true;
}

void AdvancedUit(App& app) {
    app.view.Advanced = false;
}

}  // namespace fc
