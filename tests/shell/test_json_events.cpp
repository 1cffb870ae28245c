// The headless JSON lines: escaping of raw bytes and the members of each event.
#include <gtest/gtest.h>

#include "core/view_model.h"
#include "program/json_events.h"
#include "support/cases.h"

namespace fc::test {
namespace {

class JsonEvents : public ::testing::Test {
protected:
    std::string event(const std::string& name) { return CaseNamed(cases, name).get("event"); }
    const std::vector<Case> cases = LoadCases("shell/cases/json_events.txt");
    MainView v;
};

TEST_F(JsonEvents, StringsEscapeControlsAndReadHighBytesAsLatin1) {
    for (const Case& c : cases) {
        if (!c.has("in")) continue;
        SCOPED_TRACE(c.name);
        EXPECT_EQ(JsonString(c.get("in")), c.get("json"));
    }
}

TEST_F(JsonEvents, ReplyCarriesTheFieldsAndThePlayersWithoutPadding) {
    v.gameFamily = GameFamily::Q3;
    v.gameType = GameType::Quake3BaseCtf;
    v.qsGame = "baseoa";
    v.qsMap = "oa_ctf4ish";
    v.matchState = MatchState::Running;
    v.PlayersPlaying = "2";
    v.spelerLijst = {{"=RC=Sarge",
                      "\xA0\xA0"
                      "12",
                      "\xA0\xA0"
                      "50",
                      "Red", RowColour::Red},
                     {"Tab\tName", "-1", "999", "", RowColour::Black}};
    EXPECT_EQ(ReplyEventJson(v), event("reply"));
}

TEST_F(JsonEvents, InterpCarriesTheFeedsLabelsAndTheFieldsItsClockDrives) {
    v.InterpSupport = "ENABLED!";
    v.StatRed = "Sarge";
    v.qsRed = "3/";
    v.qsTimeLeft = "INT";
    EXPECT_EQ(InterpEventJson(v), event("interp"));
    EXPECT_EQ(IrcEventJson("Reconnecting in 10 s", "FCST_"),
              "{\"event\":\"irc\",\"state\":\"Reconnecting in 10 s\",\"nick\":\"FCST_\"}");
}

}  // namespace
}  // namespace fc::test
