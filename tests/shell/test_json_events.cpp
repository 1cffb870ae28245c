// The headless JSON lines: escaping of raw bytes and the members of each event.
#include <gtest/gtest.h>

#include "core/view_model.h"
#include "program/json_events.h"
#include "support/cases.h"

namespace fc::test {
namespace {

class JsonEvents : public ::testing::Test {
protected:
    std::string event(const std::string& name) { return caseNamed(cases, name).get("event"); }
    const std::vector<Case> cases = loadCases("shell/cases/json_events.txt");
    MainView v;
};

TEST_F(JsonEvents, StringsEscapeControlsAndReadHighBytesAsLatin1) {
    for (const Case& c : cases) {
        if (!c.has("in")) continue;
        SCOPED_TRACE(c.name);
        EXPECT_EQ(jsonString(c.get("in")), c.get("json"));
    }
}

TEST_F(JsonEvents, ReplyCarriesTheFieldsAndThePlayersWithoutPadding) {
    v.gameFamily = GameFamily::Q3;
    v.gameType = GameType::Quake3BaseCtf;
    v.gameText = "baseoa";
    v.mapText = "oa_ctf4ish";
    v.matchState = MatchState::Running;
    v.playersPlaying = "2";
    v.playerRows = {{"=RC=Sarge",
                     "\xA0\xA0"
                     "12",
                     "\xA0\xA0"
                     "50",
                     "Red", RowColour::Red},
                    {"Tab\tName", "-1", "999", "", RowColour::Black}};
    EXPECT_EQ(replyEventJson(v), event("reply"));
}

TEST_F(JsonEvents, InterpCarriesTheFeedsLabelsAndTheFieldsItsClockDrives) {
    v.interpSupport = "ENABLED!";
    v.redFlagWhere = "Sarge";
    v.redScoreText = "3/";
    v.timeLeftText = "INT";
    EXPECT_EQ(interpEventJson(v), event("interp"));
    EXPECT_EQ(ircEventJson("Reconnecting in 10 s", "FCST_"),
              "{\"event\":\"irc\",\"state\":\"Reconnecting in 10 s\",\"nick\":\"FCST_\"}");
}

}  // namespace
}  // namespace fc::test
