#include "core/time_left.h"

#include "core/clock_text.h"
#include "core/text_util.h"

namespace fc {

namespace {

bool allDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace

TimeLeft TimeLeft::clock(std::chrono::seconds left) {
    TimeLeft t;
    t.kind_ = Kind::Clock;
    t.left_ = left;
    return t;
}

TimeLeft TimeLeft::untilEnd(std::chrono::seconds limit, std::chrono::seconds played) {
    return played > limit ? intermission() : clock(limit - played);
}

TimeLeft TimeLeft::intermission() {
    TimeLeft t;
    t.kind_ = Kind::Intermission;
    return t;
}

TimeLeft TimeLeft::read(std::string_view sent) {
    TimeLeft t;
    t.sent_ = std::string(sent);
    const std::string plain = trimBlanks(std::string(sent));
    const std::size_t colon = plain.find(':');
    if (plain == "INT") {
        t.kind_ = Kind::Intermission;
    } else if (plain == "WARMUP") {
        t.kind_ = Kind::Warmup;
    } else if (colon != std::string::npos && allDigits(plain.substr(0, colon)) &&
               allDigits(plain.substr(colon + 1)) && plain.size() - colon - 1 <= 2 && colon <= 9) {
        t.kind_ = Kind::Clock;
        t.left_ = clockTime(plain);
    } else {
        t.kind_ = Kind::Other;
    }
    return t;
}

std::string TimeLeft::text() const {
    std::string shown;
    if (!sent_.empty()) {
        shown = sent_;
    } else {
        switch (kind_) {
            case Kind::NoMatch:
                shown = "[no match]";
                break;
            case Kind::Warmup:
                shown = "WARMUP";
                break;
            case Kind::Intermission:
                shown = "INT";
                break;
            case Kind::Clock:
                shown = minutesSeconds(left_);
                break;
            case Kind::Other:
                break;
        }
    }
    if (paused_) shown += " (Paused)";
    return shown;
}

bool TimeLeft::operator==(const TimeLeft& other) const {
    if (kind_ != other.kind_ || left_ != other.left_ || paused_ != other.paused_) return false;
    return kind_ != Kind::Other || sent_ == other.sent_;
}

}  // namespace fc
