#include "settings/advanced_mode.h"

#include "core/app.h"

namespace fc {

void switchAdvancedOn(App& app) {
    app.view.advancedMode = true;
}

void switchAdvancedOff(App& app) {
    app.view.advancedMode = false;
}

}  // namespace fc
