#include "settings/settings_file.h"

namespace fc {

void SafeINI(App&) {}

}  // namespace fc
