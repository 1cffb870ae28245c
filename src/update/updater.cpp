#include "update/updater.h"

namespace fc {

void Updater(App&) {}

}  // namespace fc
