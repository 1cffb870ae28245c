#include "core/typed_entry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/text_util.h"

namespace fc {

namespace {

// A pace setting: a text that does not begin with a digit keeps the default.
long long paceNumber(std::string_view text, long long fallback, long long least, long long most) {
    const std::string t = trimBlanks(text);
    if (t.empty() || t[0] < '0' || t[0] > '9') return fallback;
    const double value = std::nearbyint(leadingNumber(t));
    return static_cast<long long>(
        std::max<double>(static_cast<double>(least), std::min<double>(value, most)));
}

}  // namespace

int readBurstLines(std::string_view text) {
    return static_cast<int>(paceNumber(text, 4, 1, 1000));
}

std::chrono::milliseconds readLineGap(std::string_view text) {
    return std::chrono::milliseconds(paceNumber(text, 2000, 0, 600000));
}

std::chrono::seconds readSeconds(std::string_view text) {
    const double value = std::nearbyint(leadingNumber(text));
    constexpr double kMost = std::numeric_limits<std::int32_t>::max();
    return std::chrono::seconds(static_cast<long long>(std::fmax(-kMost, std::fmin(kMost, value))));
}

std::optional<int> readIrcPort(std::string_view text) {
    const std::string t = trimBlanks(text);
    int value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
    if (value < 1 || value > 65535) return std::nullopt;
    return value;
}

std::chrono::seconds readInterval(std::string_view text) {
    const std::chrono::seconds seconds = readSeconds(text);
    return seconds.count() > 0 ? seconds : std::chrono::seconds(40);
}

std::chrono::seconds readMinutes(std::string_view text) {
    // A server may send a fraction ("10.5"); a limit of more than a year is no match's.
    constexpr double kMostMinutes = 366.0 * 24 * 60;
    const double minutes = std::fmax(0, std::fmin(kMostMinutes, leadingNumber(text)));
    return std::chrono::seconds(std::llround(minutes * 60));
}

}  // namespace fc
