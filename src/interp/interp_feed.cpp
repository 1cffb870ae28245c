#include "interp/interp_feed.h"

namespace fc {

void ConnectInterp(App&) {}
void DisconnectInterp(App&) {}

}  // namespace fc
