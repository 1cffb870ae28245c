// The time left of a match: what a server sends or the match clock counts, read once into what
// it means (no match, warm-up, intermission, a clock) and shown as it came.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace fc {

class TimeLeft {
public:
    enum class Kind {
        NoMatch,       // shown "[no match]": nothing is being timed
        Warmup,        // "WARMUP": the players are warming up
        Intermission,  // "INT": the game's time is over
        Clock,         // minutes and seconds still to play
        Other,         // a text a server sent that is none of these
    };

    TimeLeft() = default;  // no match

    // The clock at `left`, shown "m:ss".
    static TimeLeft clock(std::chrono::seconds left);
    // What is left of `limit` after `played`: the intermission once it runs below zero.
    static TimeLeft untilEnd(std::chrono::seconds limit, std::chrono::seconds played);
    static TimeLeft intermission();
    // A time left as a server sends it: "INT", "WARMUP", "12:34" or any other text, which is
    // shown byte for byte.
    static TimeLeft read(std::string_view sent);

    Kind kind() const { return kind_; }
    bool is(Kind kind) const { return kind_ == kind; }
    // The seconds still to play on a clock; 0 otherwise.
    std::chrono::seconds left() const { return left_; }
    bool paused() const { return paused_; }
    // The clock stands still: shown with " (Paused)" after it.
    void pause() { paused_ = true; }

    // The text the window, the lines and the replies show.
    std::string text() const;

    // Two times are the same when they mean the same; texts a server sent that mean nothing
    // known are compared as sent.
    bool operator==(const TimeLeft& other) const;

private:
    Kind kind_ = Kind::NoMatch;
    std::chrono::seconds left_{0};
    bool paused_ = false;
    std::string sent_;  // as the server sent it; "" when the clock made it
};

}  // namespace fc
