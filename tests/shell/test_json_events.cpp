// The headless JSON lines: escaping of raw bytes and the members of each event.
#include <gtest/gtest.h>

#include "core/view_model.h"
#include "shell/json_events.h"

namespace fc {
namespace {

TEST(JsonString, EscapesControlsAndReadsHighBytesAsLatin1) {
    EXPECT_EQ(JsonString("plain"), "\"plain\"");
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString("\r\n\t\x01\x1f"), "\"\\r\\n\\t\\u0001\\u001f\"");
    EXPECT_EQ(JsonString(std::string("\0", 1)), "\"\\u0000\"");
    EXPECT_EQ(JsonString("\xA0\xFF\xE9"), "\"\xC2\xA0\xC3\xBF\xC3\xA9\"");
}

TEST(ReplyEvent, CarriesTheFieldsAndThePlayersWithoutPadding) {
    MainView v;
    v.gameFamily = GameFamily::Q3;
    v.gameType = "ctfbq3";
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
    EXPECT_EQ(ReplyEventJson(v),
              "{\"event\":\"reply\",\"gameFamily\":\"Q3\",\"gameType\":\"ctfbq3\","
              "\"qsGame\":\"baseoa\",\"qsMap\":\"oa_ctf4ish\",\"qsTimeLeft\":\"[no match]\","
              "\"qsRed\":\"0/0\",\"qsBlue\":\"0/0\",\"txtnaamRED\":\"Red team\","
              "\"txtnaamBLUE\":\"Blue team\",\"matchState\":1,\"PlayersPlaying\":\"2\","
              "\"PlayersMax\":\"\",\"players\":["
              "{\"name\":\"=RC=Sarge\",\"score\":\"12\",\"ping\":\"50\",\"team\":\"Red\"},"
              "{\"name\":\"Tab\\tName\",\"score\":\"-1\",\"ping\":\"999\",\"team\":\"\"}]}");
}

TEST(OtherEvents, OutputAndReport) {
    EXPECT_EQ(OutputEventJson("hi"), "{\"event\":\"output\",\"text\":\"hi\"}");
    EXPECT_EQ(ReportEventJson("#clan", "\x02score"),
              "{\"event\":\"report\",\"target\":\"#clan\",\"text\":\"\\u0002score\"}");
    EXPECT_EQ(IrcEventJson("Reconnecting in 10 s", "FCST_"),
              "{\"event\":\"irc\",\"state\":\"Reconnecting in 10 s\",\"nick\":\"FCST_\"}");
}

TEST(OtherEvents, InterpCarriesTheFeedsLabelsAndTheFieldsItsClockDrives) {
    MainView v;
    v.InterpSupport = "ENABLED!";
    v.StatRed = "Sarge";
    v.qsRed = "3/";
    v.qsTimeLeft = "INT";
    EXPECT_EQ(
        InterpEventJson(v),
        "{\"event\":\"interp\",\"InterpSupport\":\"ENABLED!\",\"InterpVersion\":\"n/a\","
        "\"InterpAuthor\":\"-\",\"InterpEmail\":\"-\",\"StatRed\":\"Sarge\","
        "\"StatBlue\":\"[unkown]\",\"qsRed\":\"3/\",\"qsBlue\":\"0/0\",\"qsTimeLeft\":\"INT\","
        "\"matchState\":0}");
}

}  // namespace
}  // namespace fc
