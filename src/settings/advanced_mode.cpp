#include "settings/advanced_mode.h"

#include "core/app.h"

namespace fc {

void AdvancedAan(App& app) {
    app.view.Advanced = true;
}

void AdvancedUit(App& app) {
    app.view.Advanced = false;
}

}  // namespace fc
