#include "core/clock_text.h"

#include "core/text_util.h"

namespace fc {

namespace {

struct Mss {
    long long minutes = 0;
    long long seconds = 0;
};

// Times beyond this are nonsense from a server; held there, sums of them stay within 64 bits.
constexpr double kLongestTime = 1e15;

long long timePart(const std::string& text) {
    const double value = leadingNumber(text);
    return wholeNumber(value > kLongestTime    ? kLongestTime
                       : value < -kLongestTime ? -kLongestTime
                                               : value);
}

Mss splitClock(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return {timePart(text), 0};
    return {timePart(text.substr(0, colon)), timePart(text.substr(colon + 1))};
}

}  // namespace

std::chrono::seconds clockTime(const std::string& text) {
    const Mss t = splitClock(text);
    return std::chrono::seconds(addWithin(t.minutes * 60, t.seconds));  // both held within 1e15
}

std::string minutesSeconds(std::int64_t seconds) {
    const std::int64_t s = seconds % 60;
    return plainNumber(seconds / 60) + ":" + (s < 10 && s >= 0 ? "0" : "") + plainNumber(s);
}

}  // namespace fc
