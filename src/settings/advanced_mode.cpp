#include "settings/advanced_mode.h"

#include "core/app.h"

namespace fc {

void switchAdvancedOn(App& app) {
    app.settings.advancedMode = true;
}

void switchAdvancedOff(App& app) {
    app.settings.advancedMode = false;
}

}  // namespace fc
