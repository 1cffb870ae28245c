// The leading-number rule, case in the Latin-1 code page, the two ways numbers are written, and
// how each typed field reads its text.
#include <gtest/gtest.h>

#include <cmath>

#include "core/clock_text.h"
#include "core/host_names.h"
#include "core/server_status.h"
#include "core/text_util.h"
#include "core/typed_entry.h"
#include "support/fake_platform.h"

namespace fc {
namespace {

TEST(TextUtil, LeadingNumbersCaseAndNumberForms) {
    const std::pair<const char*, double> numbers[] = {
        {"60 seconds", 60}, {"  45", 45}, {"-3x", -3}, {"12.25/3", 12.25},
        {"abc", 0},         {"", 0},      {"-", 0}};
    for (const auto& [text, number] : numbers) EXPECT_EQ(leadingNumber(text), number) << text;
    EXPECT_EQ(leadingNumber(std::string(400, '9')), 0);  // too large to be a number at all
    // The multiplication and division signs, sharp s and y with diaeresis have no other case.
    const std::pair<std::string, std::string> lowerUpper[] = {
        {"abc xyz", "ABC XYZ"},
        {"\xE9t\xE9", "\xC9T\xC9"},
        {"\xE0\xFE", "\xC0\xDE"},
        {"\xF7\xD7\xDF\xFF", "\xF7\xD7\xDF\xFF"}};
    for (const auto& [lower, upper] : lowerUpper)
        EXPECT_EQ(std::tuple(toUpper(lower), toLower(upper)), std::tuple(upper, lower));
    EXPECT_EQ(plainNumber(7) + blankNumber(7) + blankNumber(0) + blankNumber(-3) +
                  plainNumber(wholeNumber(std::nan(""))),
              "7 7 0-30");
}

// What an operator may type into the numeric fields, and what each rule then works with.
// clang-format off
struct Typed { const char* text; int burst; long long gapMs, seconds; std::optional<int> port; const char* fullTime; long long interval; };
constexpr Typed kTyped[] = {
    {"1", 1, 1, 1, 1, "1:00", 1}, {" 20 ", 20, 20, 20, 20, "20:00", 20},
    {"10.5", 10, 10, 10, std::nullopt, "10:30", 10},  // halves to even; a port has no fraction
    {"a5", 4, 2000, 0, std::nullopt, "0:00", 40},     // no number first: the pace defaults
    {"0", 1, 0, 0, std::nullopt, "0:00", 40},         // at least one line, no gap at all
    {"99999999", 1000, 600000, 99999999, std::nullopt, "527040:00", 99999999}, {"-3", 4, 2000, -3, std::nullopt, "0:00", 40},
    {"65535", 1000, 65535, 65535, 65535, "65535:00", 65535}, {"65536", 1000, 65536, 65536, std::nullopt, "65536:00", 65536},
    {"6667x", 1000, 6667, 6667, std::nullopt, "6667:00", 6667}};
// clang-format on

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

TEST(ServerStatus, SidesAreKnownByAnyPlayerOnOne) {
    for (const auto& [teams, known] :
         {std::pair<std::vector<const char*>, bool>{{"Spec", "Red"}, true},
          {{"Blue"}, true},
          {{"Spec", "red"}, false},
          {{}, false}}) {
        ServerStatus status;
        for (const char* team : teams) status.players.push_back({.team = team});
        EXPECT_EQ(status.sidesKnown(), known) << teams.size();
    }
}

// A name is looked up once however many ask for it meanwhile; each asker hears the answer once.
TEST(HostNames, OneLookUpAnswersEveryAsker) {
    test::FakePlatform platform;
    platform.hosts["q3.example.net"] = "10.0.0.3";
    platform.lookupDelayMs = 100;
    HostNames names(platform);
    std::string heard;
    for (const std::string asker : {"monitor", "browser", "monitor"}) {
        names.addressOf("q3.example.net", asker,
                        [&, asker](const std::string& a) { heard += asker + "=" + a + " "; });
    }
    platform.advance(100);
    EXPECT_EQ(names.addressOf("::1", "monitor", {}), "::1");  // numbers: no look-up
    EXPECT_EQ(std::tuple(platform.lookups.size(), heard),
              std::tuple(1u, "browser=10.0.0.3 monitor=10.0.0.3 "));
}

}  // namespace
}  // namespace fc
