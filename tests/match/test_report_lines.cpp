// Report templates expanded with their codes.
#include <gtest/gtest.h>

#include "core/app.h"
#include "core/time_left.h"
#include "match/match_clock.h"
#include "match/report_lines.h"
#include "program/wiring.h"
#include "support/fake_platform.h"

namespace fc::test {
namespace {

// Every code replaced, trimmed, everywhere, in one pass: a code inside a value (a player, team
// or map named after one) stays text, even one naming the private server's address; unknown
// codes and formatting characters pass through.
TEST(ReportLines, TemplatesExpandWithTheirCodes) {
    // clang-format off
    const struct { const char *templ, *expected, *entry = "10.0.0.5:27960 Friday league", *teamA = "Red Clan", *teamB = "Blue Clan";
                   const char *timeLeft = " 12:00 ", *capper = " Sarge ", *map = "q3dm17"; } rows[] = {
        {"%at% %as% %ap% %ae% | %bt% %bs% %bp% %be% | %c% %tl% %map%", "Red Clan 3 50 +2 | Blue Clan 1 60 -1 | Sarge 12:00 q3dm17"},
        {"%sv% / %svlang%", "10.0.0.5:27960 / 10.0.0.5:27960 Friday league"},
        {"%as%-%as%", "3-3"},
        {"%at% vs %bt%", "Team %bs% vs Team %at%", "10.0.0.5", "Team %bs%", "Team %at%"},
        {"Cap by %c% on %map%", "Cap by %svlang% on %c%", "10.0.0.5 Secret", "", "", "", "%svlang%", "%c%"},
        {"%xx% %AT% 100%", "%xx% %AT% 100%"},
        {"TL: %tl%", "TL: End of match!", "", "", "", "  INT "},
        {"TL: %tl%", "TL: int", "", "", "", "int"},
        {"\x02\x03" "04%at%\x03\x1f", "\x02\x03" "04Red Clan\x03\x1f"}};
    // clang-format on
    FakePlatform platform;
    WiredApp app{platform};
    app.settings.privateServerChecked = app.settings.serverIsPrivate = true;
    for (const auto& r : rows) {
        app.settings.serverEntry = r.entry;
        app.monitor.mapText = r.map;
        const ReportValues v{r.teamA, r.teamB, " 3", " 1",     "50",
                             "60",    "+2",    "-1", r.capper, TimeLeft::read(r.timeLeft)};
        EXPECT_EQ(expandTemplate(app, r.templ, v), r.expected) << r.templ;
    }
}

// The time left: what is left of the limit, and what a server's text means and shows.
TEST(TimeLeft, CountsDownAndReadsWhatServersSend) {
    using std::chrono::seconds;
    using Kind = TimeLeft::Kind;
    // clang-format off
    const struct { TimeLeft time; Kind kind; long long left; const char* shown; } rows[] = {
        {TimeLeft::untilEnd(seconds(1200), seconds(205)), Kind::Clock, 995, "16:35"},
        {TimeLeft::untilEnd(seconds(1200), seconds(1200)), Kind::Clock, 0, "0:00"},
        {TimeLeft::untilEnd(seconds(60), seconds(61)), Kind::Intermission, 0, "INT"},
        {TimeLeft::clock(seconds(425)), Kind::Clock, 425, "7:05"}, {TimeLeft::clock(seconds(430)), Kind::Clock, 430, "7:10"},
        {TimeLeft(), Kind::NoMatch, 0, "[no match]"}, {TimeLeft::read(" 12:34 "), Kind::Clock, 754, " 12:34 "},  // as sent
        {TimeLeft::read("05:00"), Kind::Clock, 300, "05:00"}, {TimeLeft::read("INT "), Kind::Intermission, 0, "INT "},
        {TimeLeft::read("WARMUP"), Kind::Warmup, 0, "WARMUP"}, {TimeLeft::read("Starting"), Kind::Other, 0, "Starting"},
        {TimeLeft::read("1:2:3"), Kind::Other, 0, "1:2:3"}, {TimeLeft::read("5:000"), Kind::Other, 0, "5:000"},
        {TimeLeft::read("12:x4"), Kind::Other, 0, "12:x4"}, {TimeLeft::read(":00"), Kind::Other, 0, ":00"},
        {TimeLeft::read("-1:00"), Kind::Other, 0, "-1:00"}, {TimeLeft::read("1000000000:00"), Kind::Other, 0, "1000000000:00"},
        {TimeLeft::read("999999999:59"), Kind::Clock, 59999999999, "999999999:59"}};  // nine digits at most
    // clang-format on
    for (const auto& r : rows)
        EXPECT_EQ(std::tuple(r.time.kind(), r.time.left().count(), r.time.text()),
                  std::tuple(r.kind, r.left, r.shown));
    TimeLeft paused = TimeLeft::read("12:00");
    paused.pause();
    EXPECT_EQ(paused.text(), "12:00 (Paused)");
    EXPECT_NE(paused, TimeLeft::read("12:00"));
    EXPECT_EQ(TimeLeft::read(" 12:00"), TimeLeft::clock(seconds(720)));
    EXPECT_NE(TimeLeft::read("Starting"), TimeLeft::read("Started"));
}

}  // namespace
}  // namespace fc::test
