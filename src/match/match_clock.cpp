#include "match/match_clock.h"

#include "core/app.h"
#include "core/text_util.h"

namespace fc {

namespace {

struct Mss {
    long long minutes = 0;
    long long seconds = 0;
};

// Times beyond this are nonsense from a server; held there, sums of them stay within 64 bits.
constexpr double kLongestTime = 1e15;

long long TimePart(const std::string& text) {
    const double value = LeadingNumber(text);
    return WholeNumber(value > kLongestTime    ? kLongestTime
                       : value < -kLongestTime ? -kLongestTime
                                               : value);
}

Mss Split(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return {TimePart(text), 0};
    return {TimePart(text.substr(0, colon)), TimePart(text.substr(colon + 1))};
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

void StartBattleClock(App& app, std::int32_t secondsPlayed) {
    app.battleTimer->setEnabled(true);
    app.view.game.secondsPlayed = secondsPlayed;
}

}  // namespace fc
