#include "monitor/game_type.h"

namespace fc {

void AnalyseQuakeReply(App&, const std::string&) {}

}  // namespace fc
