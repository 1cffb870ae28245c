// Time arithmetic of the match clocks, on "m:ss" texts.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace fc {

// An "m:ss" text as the seconds it stands for: "7:05" is 425; nonsense reads as 0.
std::chrono::seconds clockTime(const std::string& text);

// Seconds as minutes, ":" and two-digit seconds: 425 is "7:05".
std::string minutesSeconds(std::int64_t seconds);
inline std::string minutesSeconds(std::chrono::seconds time) {
    return minutesSeconds(time.count());
}

}  // namespace fc
