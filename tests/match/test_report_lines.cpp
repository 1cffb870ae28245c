// Report templates expanded with their codes.
#include <gtest/gtest.h>

#include "core/app.h"
#include "match/match_clock.h"
#include "match/report_lines.h"
#include "program/wiring.h"
#include "support/fake_platform.h"

namespace fc::test {
namespace {

class ReportLinesTest : public ::testing::Test {
protected:
    ReportLinesTest() {
        app.settings.serverEntry = "10.0.0.5:27960 Friday league";
        app.monitor.mapText = "q3dm17";
    }
    ReportValues values() {
        return {"Red Clan", "Blue Clan", " 3", " 1", "50", "60", "+2", "-1", " Sarge ", " 12:00 "};
    }
    FakePlatform platform;
    WiredApp app{platform};
};

// Every code replaced, trimmed, everywhere, in one pass: a code inside a value (a player, team
// or map named after one) stays text, even one naming the private server's address; unknown
// codes and formatting characters pass through.
TEST_F(ReportLinesTest, TemplatesExpandWithTheirCodes) {
    struct Row {
        const char* templ;
        const char* expected;
        const char* entry = "10.0.0.5:27960 Friday league";
        const char* teamA = "Red Clan";
        const char* teamB = "Blue Clan";
        const char* timeLeft = " 12:00 ";
        const char* capper = " Sarge ";
        const char* map = "q3dm17";
    };
    const Row rows[] = {
        {"%at% %as% %ap% %ae% | %bt% %bs% %bp% %be% | %c% %tl% %map%",
         "Red Clan 3 50 +2 | Blue Clan 1 60 -1 | Sarge 12:00 q3dm17"},
        {"%sv% / %svlang%", "10.0.0.5:27960 / 10.0.0.5:27960 Friday league"},
        {"%sv%", "10.0.0.5:27960", "10.0.0.5:27960"},
        {"no codes at all", "no codes at all"},
        {"%as%-%as%", "3-3"},
        {"%at% vs %bt%", "Team %bs% vs Team %at%", "10.0.0.5", "Team %bs%", "Team %at%"},
        {"Cap by %c% on %map%", "Cap by %svlang% on %c%", "10.0.0.5 Secret", "", "", "", "%svlang%",
         "%c%"},
        {"%c%%tl%", "%sv%%map%", "10.0.0.5", "", "", "%map%", "%sv%"},
        {"%xx% %AT% 100%", "%xx% %AT% 100%"},
        {"TL: %tl%", "TL: End of match!", "", "", "", "  INT "},
        {"TL: %tl%", "TL: int", "", "", "", "int"},
        {"\x02\x03"
         "04%at%\x03\x1f",
         "\x02\x03"
         "04Red Clan\x03\x1f"},
    };
    app.settings.privateServerChecked = app.settings.serverIsPrivate = true;
    for (const Row& r : rows) {
        app.settings.serverEntry = r.entry;
        app.monitor.mapText = r.map;
        ReportValues v = values();
        v.teamA = r.teamA;
        v.teamB = r.teamB;
        v.timeLeft = r.timeLeft;
        v.capper = r.capper;
        EXPECT_EQ(expandTemplate(app, r.templ, v), r.expected) << r.templ;
    }
}

TEST(SubtractClockTimes, DifferenceOfMinutesAndSeconds) {
    EXPECT_EQ(subtractClockTimes("20:00", "3:25"), "16:35");
    EXPECT_EQ(subtractClockTimes("0:10", "0:20"), "INT");
    EXPECT_EQ(subtractClockTimes("20:00", "20:00"), "0:00");
    EXPECT_EQ(subtractClockTimes("5:30", "0:25"), "5:05");
    EXPECT_EQ(subtractClockTimes("1:00", "1:01"), "INT");
    EXPECT_EQ(subtractClockTimes("99999999999999999999:00", "-99999999999999999999:00"),
              "2000000000000000:00");  // nonsense times are held within bounds
    EXPECT_EQ(minutesSeconds(425), "7:05");
    EXPECT_EQ(minutesSeconds(0), "0:00");
}

}  // namespace
}  // namespace fc::test
