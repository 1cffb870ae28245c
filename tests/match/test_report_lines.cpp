// Report templates expanded with their codes.
#include <gtest/gtest.h>

#include "core/app.h"
#include "match/match_clock.h"
#include "match/report_lines.h"
#include "support/fake_platform.h"
#include "wiring/wiring.h"

namespace fc::test {
namespace {

class ReportLinesTest : public ::testing::Test {
protected:
    ReportLinesTest() {
        app.view.Q2Serverlist = "10.0.0.5:27960 Friday league";
        app.view.qsMap = "q3dm17";
    }
    ReportValues values() {
        return {"Red Clan", "Blue Clan", " 3", " 1", "50", "60", "+2", "-1", " Sarge ", " 12:00 "};
    }
    FakePlatform platform;
    WiredApp app{platform};
};

TEST_F(ReportLinesTest, EveryCodeIsReplacedTrimmed) {
    EXPECT_EQ(
        MaakRegel(app, "%at% %as% %ap% %ae% | %bt% %bs% %bp% %be% | %c% %tl% %map%", values()),
        "Red Clan 3 50 +2 | Blue Clan 1 60 -1 | Sarge 12:00 q3dm17");
}

TEST_F(ReportLinesTest, ServerCodesGiveAddressAndWholeEntry) {
    EXPECT_EQ(MaakRegel(app, "%sv% / %svlang%", values()),
              "10.0.0.5:27960 / 10.0.0.5:27960 Friday league");
    app.view.Q2Serverlist = "10.0.0.5:27960";
    EXPECT_EQ(MaakRegel(app, "%sv%", values()), "10.0.0.5:27960");
}

TEST_F(ReportLinesTest, CodesAreReplacedEverywhereInAFixedOrder) {
    EXPECT_EQ(MaakRegel(app, "no codes at all", values()), "no codes at all");
    EXPECT_EQ(MaakRegel(app, "%as%-%as%", values()), "3-3");
    ReportValues v = values();
    v.teamA = "Team %bs%";  // a later code inside a value is expanded
    v.teamB = "Team %at%";  // an earlier one is not
    EXPECT_EQ(MaakRegel(app, "%at% vs %bt%", v), "Team 1 vs Team %at%");
    EXPECT_EQ(MaakRegel(app, "%xx% %AT% 100%", values()), "%xx% %AT% 100%");
}

TEST_F(ReportLinesTest, IntermissionReadsEndOfMatch) {
    ReportValues v = values();
    v.timeLeft = "  INT ";
    EXPECT_EQ(MaakRegel(app, "TL: %tl%", v), "TL: End of match!");
    v.timeLeft = "int";
    EXPECT_EQ(MaakRegel(app, "TL: %tl%", v), "TL: int");
}

TEST_F(ReportLinesTest, FormattingCharactersPassThrough) {
    const std::string templ =
        "\x02\x03"
        "04%at%\x03\x1f";
    EXPECT_EQ(MaakRegel(app, templ, values()),
              "\x02\x03"
              "04Red Clan\x03\x1f");
}

TEST(TijdMinus, DifferenceOfMinutesAndSeconds) {
    EXPECT_EQ(TijdMinus("20:00", "3:25"), "16:35");
    EXPECT_EQ(TijdMinus("0:10", "0:20"), "INT");
    EXPECT_EQ(TijdMinus("20:00", "20:00"), "0:00");
    EXPECT_EQ(TijdMinus("5:30", "0:25"), "5:05");
    EXPECT_EQ(TijdMinus("1:00", "1:01"), "INT");
    EXPECT_EQ(TijdMinus("99999999999999999999:00", "-99999999999999999999:00"),
              "2000000000000000:00");  // nonsense times are held within bounds
    EXPECT_EQ(MinutesSeconds(425), "7:05");
    EXPECT_EQ(MinutesSeconds(0), "0:00");
}

}  // namespace
}  // namespace fc::test
