// A team's sums over the player list, shared by the Quake and the Unreal Tournament paths.
#pragma once

#include <cstdint>

#include "core/text_util.h"

namespace fc {

struct TeamTotals {
    long long frags = 0;
    long long pings = 0;
    long long rows = 0;
};

// The team's average ping, rounded down; 0 for a team without rows.
inline std::int32_t averagePing(const TeamTotals& t) {
    return t.rows == 0 ? 0
                       : static_cast<std::int32_t>(wholeNumber(static_cast<double>(t.pings) /
                                                               static_cast<double>(t.rows)));
}

}  // namespace fc
