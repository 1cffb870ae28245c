#include "match/match_clock.h"

#include "shell/text_util.h"

namespace fc {

namespace {

struct Mss {
    long long minutes = 0;
    long long seconds = 0;
};

Mss Split(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return {static_cast<long long>(LeadingNumber(text)), 0};
    return {static_cast<long long>(LeadingNumber(text.substr(0, colon))),
            static_cast<long long>(LeadingNumber(text.substr(colon + 1)))};
}

}  // namespace

std::string TijdMinus(const std::string& a, const std::string& b) {
    const Mss x = Split(a);
    const Mss y = Split(b);
    long long seconds = 0;
    long long minutes = 0;
    if (x.seconds >= y.seconds) {
        seconds = x.seconds - y.seconds;
        minutes = x.minutes - y.minutes;
    } else {
        seconds = x.seconds + 60 - y.seconds;
        minutes = x.minutes - 1 - y.minutes;
    }
    if (minutes < 0) return "INT";
    return PlainNumber(minutes) + ":" + (seconds < 10 ? "0" : "") + PlainNumber(seconds);
}

std::string MinutesSeconds(std::int64_t seconds) {
    const std::int64_t s = seconds % 60;
    return PlainNumber(seconds / 60) + ":" + (s < 10 && s >= 0 ? "0" : "") + PlainNumber(s);
}

}  // namespace fc
