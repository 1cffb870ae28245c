// The reply handler's front half: which replies count, the family, the entry rewrite, the
// player list with its teams and colours, and the server-variable text.
#include <gtest/gtest.h>

#include "monitor/player_list.h"
#include "monitor/reply_handler.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"

namespace fc::test {
namespace {

const std::string kPad1 = "\xA0";
const std::string kPad2 = "\xA0\xA0";

class ReplyHandlerTest : public MonitorTest {
protected:
    void SetUp() override {
        switchOn("10.0.0.5:27960 Friday league");
        firstTick();
    }
    void serverSays(const std::string& bytes) { reply(bytes, "10.0.0.5", 27960); }
};

TEST_F(ReplyHandlerTest, Quake3ReplyFillsGameMapStatsAndSize) {
    const std::string r = Quake3Reply({{"version", "Q3 1.32b linux"},
                                       {"gamename", "osp"},
                                       {"mapname", "q3dm17"},
                                       {"gamestats", "12 3 4"},
                                       {"gamedir", "ignored"}},
                                      {{"12", "50", "^1Red^7Guy"}});
    serverSays(r);
    EXPECT_EQ(view().gameFamily, GameFamily::Q3);
    EXPECT_EQ(view().qsGame, "osp");
    EXPECT_EQ(view().qsMap, "q3dm17");
    EXPECT_EQ(view().qsStats, "12 3 4");
    EXPECT_EQ(view().quakeRecvBts, " " + std::to_string(r.size()) + " bytes.");
    EXPECT_EQ(view().lastReplyText, r);
    ASSERT_EQ(view().spelerLijst.size(), 1u);
    EXPECT_EQ(view().spelerLijst[0].name, "RedGuy");
    EXPECT_EQ(view().spelerLijst[0].score, kPad2 + "12");
    EXPECT_EQ(view().spelerLijst[0].ping, kPad2 + "50");
    EXPECT_EQ(listener.replies, 1);
}

TEST_F(ReplyHandlerTest, TodaysQuake3EnginesAreKnownByTheirStatusResponse) {
    serverSays(Quake3Reply({{"version", "ioq3 1.36_GIT linux-x86_64"}, {"gamename", "baseoa"}},
                           {{"0", "0", "^4[BC]^7Grism"}}));
    EXPECT_EQ(view().gameFamily, GameFamily::Q3);
    EXPECT_EQ(view().qsGame, "baseoa");
    EXPECT_EQ(view().spelerLijst.at(0).name, "[BC]Grism");
}

TEST_F(ReplyHandlerTest, EngineNameDoesNotHideTheModName) {
    serverSays(Quake3Reply({{"com_gamename", "Quake3Arena"}, {"gamename", "baseoa"}}, {}));
    EXPECT_EQ(view().qsGame, "baseoa");
}

TEST_F(ReplyHandlerTest, Quake2ReplyShowsTheGameFolderAndKeepsCarets) {
    serverSays(Quake2Reply({{"gamedir", "ctf"}, {"mapname", "q2ctf1"}, {"gamename", "ignored"}},
                           {{"5", "120", "a^1b"}, {"12345", "7", "long score"}}));
    EXPECT_EQ(view().gameFamily, GameFamily::Q2);
    EXPECT_EQ(view().qsGame, "ctf");
    ASSERT_EQ(view().spelerLijst.size(), 2u);
    EXPECT_EQ(view().spelerLijst[0].name, "a^1b");
    EXPECT_EQ(view().spelerLijst[0].score, std::string(3, '\xA0') + "5");
    EXPECT_EQ(view().spelerLijst[0].ping, kPad1 + "120");
    EXPECT_EQ(view().spelerLijst[1].name, "long score");  // blanks inside a name stay
    EXPECT_EQ(view().spelerLijst[1].score, "12345");      // too long to pad
}

TEST_F(ReplyHandlerTest, ServerTeamListsDecideTheSides) {
    view().teamsKnown = false;
    view().markedPlayers = "\"a\"";
    serverSays(Quake2Reply({{"Players_Red", "1 3"}, {"Players_Blue", "2"}},
                           {{"1", "1", "a"}, {"2", "2", "b"}, {"3", "3", "c"}, {"4", "4", "d"}}));
    const auto& rows = view().spelerLijst;
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (PlayerRow{"a",
                                  "\xA0\xA0\xA0"
                                  "1",
                                  "\xA0\xA0\xA0"
                                  "1",
                                  "Red", RowColour::Red}));
    EXPECT_EQ(rows[1].team, "Blue");
    EXPECT_EQ(rows[1].colour, RowColour::Blue);
    EXPECT_EQ(rows[2].team, "Red");
    EXPECT_EQ(rows[3].team, kTeamSpectators);
    EXPECT_EQ(rows[3].colour, RowColour::Grey);
    EXPECT_TRUE(view().teamsKnown);
    EXPECT_EQ(view().markedPlayers, "");
}

TEST_F(ReplyHandlerTest, MemberListsDecideWhileTeamsAreKnown) {
    view().redMembers = "\"=RC=Sarge\"\"=RC=Major\"";
    view().blueMembers = "\"[BC]Grism\"";
    serverSays(Quake3Reply(
        {}, {{"1", "1", "^1=RC=^7Sarge"}, {"2", "2", "^4[BC]^7Grism"}, {"3", "3", "Visitor"}}));
    const auto& rows = view().spelerLijst;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].team, "Red");
    EXPECT_EQ(rows[1].team, "Blue");
    EXPECT_EQ(rows[2].team, kTeamSpectators);
    EXPECT_EQ(rows[2].colour, RowColour::Grey);
}

TEST_F(ReplyHandlerTest, MarksDecideWhileTeamsAreUnknown) {
    view().teamsKnown = false;
    view().redMembers = "\"Marked\"";
    view().markedPlayers = "\"Marked\"";
    serverSays(Quake2Reply({}, {{"1", "1", "Marked"}, {"2", "2", "Other"}}));
    const auto& rows = view().spelerLijst;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].colour, RowColour::Grey);
    EXPECT_EQ(rows[0].team, "");
    EXPECT_EQ(rows[1].colour, RowColour::Black);
    EXPECT_EQ(rows[1].team, "");
}

TEST_F(ReplyHandlerTest, EntryShowsTheAddressThatAnsweredAndKeepsTheComment) {
    WisselConnectie(app);
    switchOn("localhost:27960 Friday league");
    platform.advance(1000);
    reply(Quake2Reply({}, {}), "127.0.0.1", 27960);
    EXPECT_EQ(view().Q2Serverlist, "127.0.0.1:27960 Friday league");
    EXPECT_EQ(view().gameFamily, GameFamily::Q2);
}

TEST_F(ReplyHandlerTest, RepliesFromOtherHostsAreDropped) {
    reply(Quake2Reply({{"gamedir", "evil"}}, {{"1", "1", "intruder"}}), "10.6.6.6", 27960);
    EXPECT_EQ(view().gameFamily, GameFamily::Unknown);
    EXPECT_EQ(view().Q2Serverlist, "10.0.0.5:27960 Friday league");
    EXPECT_EQ(view().spelerLijst.at(0).name, "Looking for server.....");
    EXPECT_EQ(view().quakeRecvBts, "");
    EXPECT_EQ(listener.replies, 0);

    reply(Quake2Reply({}, {}), "10.0.0.5", 5555);  // any port of the server's address counts
    EXPECT_EQ(view().gameFamily, GameFamily::Q2);
    EXPECT_EQ(view().Q2Serverlist, "10.0.0.5:5555 Friday league");
}

TEST_F(ReplyHandlerTest, IPv4MappedSenderCountsAsTheServer) {
    reply(Quake2Reply({}, {}), "::ffff:10.0.0.5", 27960);
    EXPECT_EQ(view().gameFamily, GameFamily::Q2);
    EXPECT_EQ(view().Q2Serverlist, "10.0.0.5:27960 Friday league");
}

TEST_F(ReplyHandlerTest, RepliesAfterSwitchingOffAreDropped) {
    WisselConnectie(app);
    serverSays(Quake2Reply({{"gamedir", "ctf"}}, {{"1", "1", "late"}}));
    EXPECT_EQ(view().qsGame, "[no server]");
    EXPECT_EQ(listener.replies, 0);
}

TEST_F(ReplyHandlerTest, DisconnectNoticeAndEmptyReplyFromPort27999AreIgnored) {
    serverSays(std::string("\xFF\xFF\xFF\xFF") + "disconnect");
    EXPECT_EQ(view().spelerLijst.at(0).name, "Looking for server.....");
    EXPECT_EQ(view().gameFamily, GameFamily::Unknown);

    WisselConnectie(app);
    switchOn("10.0.0.5:27999");
    platform.advance(1000);
    reply("", "10.0.0.5", 27999);
    EXPECT_EQ(view().gameFamily, GameFamily::Unknown);
    EXPECT_EQ(view().spelerLijst.at(0).name, "Looking for server.....");
    EXPECT_EQ(view().quakeRecvBts, " 0 bytes.");
    EXPECT_EQ(listener.replies, 0);
}

TEST_F(ReplyHandlerTest, UnrealGameNameSwitchesToTheUnrealPath) {
    serverSays("\\gamename\\ut\\gamever\\436\\queryid\\1.1\\");
    EXPECT_EQ(view().gameFamily, GameFamily::UT);
    EXPECT_EQ(view().spelerLijst.back().name, "Waiting for packets!");
    EXPECT_EQ(listener.replies, 0);  // the Unreal Tournament handler waits for the final piece

    const std::string bytesBefore = view().quakeRecvBts;
    serverSays("\\hostname\\x\\queryid\\2.1\\");
    EXPECT_EQ(view().quakeRecvBts, bytesBefore);  // the size label is for Quake replies
}

TEST_F(ReplyHandlerTest, ServerVariablesAreListedOnePerLineWithoutTheHeader) {
    serverSays(Quake3Reply({{"sv_hostname", "Fight club"}, {"g_gametype", "4"}, {"empty", ""}},
                           {{"1", "2", "x\\y"}}));
    EXPECT_EQ(view().QuakeInfoLabel, "sv_hostname = Fight club\ng_gametype = 4\nempty = \n");
}

TEST_F(ReplyHandlerTest, CarriageReturnsCountAsLineEndsInThePlayerList) {
    serverSays(std::string("\xFF\xFF\xFF\xFF") + "print\n\\gamedir\\ctf\n1 2 \"a\"\r\n3 4 \"b\"\n");
    const auto& rows = view().spelerLijst;
    ASSERT_EQ(rows.size(), 3u);  // the empty line between CR and LF is a row of its own
    EXPECT_EQ(rows[0].name, "a");
    EXPECT_EQ(rows[1].name, "");
    EXPECT_EQ(rows[2].name, "b");
}

TEST_F(ReplyHandlerTest, MalformedRepliesNeverBreakTheHandler) {
    const std::vector<std::string> junk = {
        "\xFF",
        std::string(3000, '\n'),
        std::string(5000, '\\'),
        std::string("\xFF\xFF\xFF\xFFstatusResponse\n") + std::string(2000, '^'),
        "\\queryid\\",
        "queryid\\queryid\\queryid\\",
        std::string("\0\0\0\0", 4),
    };
    for (const auto& bytes : junk) serverSays(bytes);
    EXPECT_FALSE(view().Q2ServerlistEnabled);
}

TEST(PadColumn, PadsToFourWithNonBreakingSpaces) {
    EXPECT_EQ(PadColumn(""), std::string(4, '\xA0'));
    EXPECT_EQ(PadColumn("-1"), kPad2 + "-1");
    EXPECT_EQ(PadColumn("1234"), "1234");
    EXPECT_EQ(PadColumn("99999"), "99999");
}

TEST(CutUnrealPieces, EachPieceEndsAfterItsQueryIdentifier) {
    EXPECT_EQ(CutUnrealPieces("\\a\\1\\queryid\\11.1\\b\\2\\queryid\\11.2\\final\\"),
              (std::vector<std::string>{"\\a\\1\\queryid\\11.1\\", "b\\2\\queryid\\11.2\\",
                                        "b\\2\\queryid\\11.2\\final\\\\"}));
}

TEST(CutUnrealPieces, ReplyWithoutQueryIdGoesWholeWithTheExtraBackslash) {
    EXPECT_EQ(CutUnrealPieces("\\a\\1"), (std::vector<std::string>{"\\a\\1\\"}));
    EXPECT_EQ(CutUnrealPieces("\\queryid\\7"), (std::vector<std::string>{"\\queryid\\7\\"}));
}

TEST(SameAddress, ComparesNumericFormsOfOneHost) {
    EXPECT_TRUE(SameAddress("127.0.0.1", "127.0.0.1"));
    EXPECT_TRUE(SameAddress("::ffff:127.0.0.1", "127.0.0.1"));
    EXPECT_TRUE(SameAddress("::1", "::1"));
    EXPECT_FALSE(SameAddress("127.0.0.2", "127.0.0.1"));
    EXPECT_FALSE(SameAddress("", ""));
}

}  // namespace
}  // namespace fc::test
