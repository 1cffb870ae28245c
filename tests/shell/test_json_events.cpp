// The headless JSON lines: escaping of raw bytes and the members of each event.
#include <gtest/gtest.h>

#include "core/view_model.h"
#include "program/json_events.h"

namespace fc {
namespace {

TEST(JsonEvents, StringsEscapeControlsAndReadHighBytesAsLatin1) {
    const std::pair<std::string, std::string> texts[] = {
        {"plain", R"("plain")"},
        {R"(a"b\c)", R"("a\"b\\c")"},
        {"\r\n\t\x01\x1f", R"("\r\n\t\u0001\u001f")"},
        {std::string(1, '\0'), R"("\u0000")"},
        {"\xA0\xFF\xE9", "\"\xC2\xA0\xC3\xBF\xC3\xA9\""},
    };
    for (const auto& [bytes, json] : texts) EXPECT_EQ(jsonString(bytes), json);
}

TEST(JsonEvents, ReplyCarriesTheFieldsAndThePlayersWithoutPadding) {
    MainView v;
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
    EXPECT_EQ(replyEventJson(v),
              R"({"event":"reply","gameFamily":"Q3","gameType":"ctfbq3","qsGame":"baseoa",)"
              R"("qsMap":"oa_ctf4ish","qsTimeLeft":"[no match]","qsRed":"0/0","qsBlue":"0/0",)"
              R"("txtnaamRED":"Red team","txtnaamBLUE":"Blue team","matchState":1,)"
              R"("PlayersPlaying":"2","PlayersMax":"","players":[{"name":"=RC=Sarge",)"
              R"("score":"12","ping":"50","team":"Red"},{"name":"Tab\tName","score":"-1",)"
              R"("ping":"999","team":""}]})");
}

TEST(JsonEvents, InterpCarriesTheFeedsLabelsAndTheFieldsItsClockDrives) {
    MainView v;
    v.interpSupport = "ENABLED!";
    v.redFlagWhere = "Sarge";
    v.redScoreText = "3/";
    v.timeLeftText = "INT";
    EXPECT_EQ(interpEventJson(v),
              R"({"event":"interp","InterpSupport":"ENABLED!","InterpVersion":"n/a",)"
              R"("InterpAuthor":"-","InterpEmail":"-","StatRed":"Sarge","StatBlue":"[unkown]",)"
              R"("qsRed":"3/","qsBlue":"0/0","qsTimeLeft":"INT","matchState":0})");
    EXPECT_EQ(ircEventJson("Reconnecting in 10 s", "FCST_"),
              R"({"event":"irc","state":"Reconnecting in 10 s","nick":"FCST_"})");
}

}  // namespace
}  // namespace fc
