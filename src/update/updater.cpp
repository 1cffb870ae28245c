#include "update/updater.h"

namespace fc {

void Updater(App&) {}

void UpdateKnop(App& app) {
    Updater(app);
}

}  // namespace fc
