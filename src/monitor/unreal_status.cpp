#include "monitor/unreal_status.h"

namespace fc {

void ProcessUT(App&, const std::string&) {}

}  // namespace fc
