// The headless JSON lines: escaping of raw bytes and the members of each event.
#include <gtest/gtest.h>

#include "core/app.h"
#include "program/json_events.h"
#include "support/cases.h"
#include "support/fake_platform.h"

namespace fc::test {
namespace {

class JsonEvents : public ::testing::Test {
protected:
    std::string event(const std::string& name) { return caseNamed(cases, name).get("event"); }
    const std::vector<Case> cases = loadCases("shell/cases/json_events.txt");
    FakePlatform platform;
    App app{platform};
};

TEST_F(JsonEvents, StringsEscapeControlsAndReadHighBytesAsLatin1) {
    for (const Case& c : cases) {
        if (!c.has("in")) continue;
        SCOPED_TRACE(c.name);
        EXPECT_EQ(jsonString(c.get("in")), c.get("json"));
    }
}

TEST_F(JsonEvents, ReplyCarriesTheFieldsAndThePlayersWithoutPadding) {
    app.monitor.gameFamily = GameFamily::Q3;
    app.monitor.gameType = GameType::Quake3BaseCtf;
    app.monitor.gameText = "baseoa";
    app.monitor.mapText = "oa_ctf4ish";
    app.match.matchState = MatchState::Running;
    app.monitor.playersPlaying = "2";
    app.monitor.playerRows = {{"=RC=Sarge",
                               "\xA0\xA0"
                               "12",
                               "\xA0\xA0"
                               "50",
                               "Red", RowColour::Red},
                              {"Tab\tName", "-1", "999", "", RowColour::Black}};
    EXPECT_EQ(replyEventJson(app), event("reply"));
}

TEST_F(JsonEvents, InterpCarriesTheFeedsLabelsAndTheFieldsItsClockDrives) {
    app.interp.interpSupport = "ENABLED!";
    app.interp.redFlagWhere = "Sarge";
    app.monitor.redScoreText = "3/";
    app.monitor.timeLeftText = "INT";
    EXPECT_EQ(interpEventJson(app), event("interp"));
    EXPECT_EQ(ircEventJson("Reconnecting in 10 s", "FCST_"),
              "{\"event\":\"irc\",\"state\":\"Reconnecting in 10 s\",\"nick\":\"FCST_\"}");
}

}  // namespace
}  // namespace fc::test
