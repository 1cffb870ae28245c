// Report templates expanded with their codes.
#include <gtest/gtest.h>

#include "core/app.h"
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
    const struct {
        const char *templ, *expected, *entry = "10.0.0.5:27960 Friday league";
        const char *teamA = "Red Clan", *teamB = "Blue Clan", *timeLeft = " 12:00 ";
        const char *capper = " Sarge ", *map = "q3dm17";
    } rows[] = {// clang-format off
        {"%at% %as% %ap% %ae% | %bt% %bs% %bp% %be% | %c% %tl% %map%",
         "Red Clan 3 50 +2 | Blue Clan 1 60 -1 | Sarge 12:00 q3dm17"},
        {"%sv% / %svlang%", "10.0.0.5:27960 / 10.0.0.5:27960 Friday league"},
        {"%as%-%as%", "3-3"},
        {"%at% vs %bt%", "Team %bs% vs Team %at%", "10.0.0.5", "Team %bs%", "Team %at%"},
        {"Cap by %c% on %map%", "Cap by %svlang% on %c%", "10.0.0.5 Secret", "", "", "",
         "%svlang%", "%c%"},
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
                             "60",    "+2",    "-1", r.capper, r.timeLeft};
        EXPECT_EQ(expandTemplate(app, r.templ, v), r.expected) << r.templ;
    }
}

TEST(SubtractClockTimes, DifferenceOfMinutesAndSeconds) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"20:00", "3:25", "16:35"},
        {"0:10", "0:20", "INT"},
        {"20:00", "20:00", "0:00"},
        {"5:30", "0:25", "5:05"},
        {"1:00", "1:01", "INT"},
        // nonsense times are held within bounds
        {"99999999999999999999:00", "-99999999999999999999:00", "2000000000000000:00"}};
    for (const auto& [from, take, left] : rows) EXPECT_EQ(subtractClockTimes(from, take), left);
    EXPECT_EQ(minutesSeconds(425), "7:05");
}

}  // namespace
}  // namespace fc::test
