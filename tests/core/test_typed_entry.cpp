#include <gtest/gtest.h>

#include "core/clock_text.h"
#include "core/typed_entry.h"

namespace fc {
namespace {

// What an operator may type into the numeric fields, and what each rule then works with.
struct Typed {
    const char* text;
    int burst;
    long long gapMs;
    long long seconds;
    std::optional<int> port;
    const char* fullTime;
    long long interval;
};

constexpr Typed kTyped[] = {
    {"2", 2, 2, 2, 2, "2:00", 2},
    {" 20 ", 20, 20, 20, 20, "20:00", 20},
    {"10.5", 10, 10, 10, std::nullopt, "10:30", 10},  // halves to even; a port has no fraction
    {"abc", 4, 2000, 0, std::nullopt, "0:00", 40},    // no number: the pace defaults
    {"0", 1, 0, 0, std::nullopt, "0:00", 40},         // at least one line, no gap at all
    {"99999999", 1000, 600000, 99999999, std::nullopt, "527040:00", 99999999},
    {"65535", 1000, 65535, 65535, 65535, "65535:00", 65535},
    {"-3", 4, 2000, -3, std::nullopt, "0:00", 40},
    {"6667x", 1000, 6667, 6667, std::nullopt, "6667:00", 6667},
};

TEST(TypedEntry, EachFieldReadsTheTypedTextOnceByItsOwnRule) {
    for (const Typed& t : kTyped) {
        SCOPED_TRACE(t.text);
        EXPECT_EQ(BurstEntry(t.text).value(), t.burst);
        EXPECT_EQ(LineGapEntry(t.text).value().count(), t.gapMs);
        EXPECT_EQ(SecondsEntry(t.text).value().count(), t.seconds);
        EXPECT_EQ(PortEntry(t.text).value(), t.port);
        EXPECT_EQ(minutesSeconds(MinutesEntry(t.text).value()), t.fullTime);
        EXPECT_EQ(IntervalEntry(t.text).value().count(), t.interval);
        EXPECT_EQ(PortEntry(t.text).text(), t.text);  // the field shows what was typed
    }
}

}  // namespace
}  // namespace fc
