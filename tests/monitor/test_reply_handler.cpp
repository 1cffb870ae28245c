#include <gtest/gtest.h>

#include <sstream>

#include "core/server_vars.h"
#include "monitor/poller.h"
#include "support/steps.h"
#include "support/unreal_replies.h"

namespace fc::test {
namespace {

const std::string Q2 = "\xFF\xFF\xFF\xFFprint\n";
const std::string Q3 = "\xFF\xFF\xFF\xFFstatusResponse\n";

TEST(ReplyHandler, AReplyShowsItsGameMapAndStatus) {
    // clang-format off
    const struct { const char* name; std::string reply; GameFamily family; const char *game, *map, *stats, *status; }
    rows[] = {
        {"Quake 3: the mod's game name, map, stats and rows without colour codes",
         Q3 + "\\version\\Q3 1.32b linux\\gamename\\osp\\mapname\\q3dm17\\gamestats\\12 3 4\\gamedir\\ignored\n"
              "12 50 \"^1Red^7Guy\"\n", GameFamily::Q3, "osp", "q3dm17", "12 3 4",
         "freedm|5|1|RedGuy/12/\"^1Red^7Guy\"/12/\"RedGuy\"/12/50/Spec|0 0|[no match]"},
        {"today's Quake 3 engines are known by their status response",
         Q3 + "\\version\\ioq3 1.36_GIT linux-x86_64\\gamename\\baseoa\n0 0 \"^4[BC]^7Grism\"\n", GameFamily::Q3,
         "baseoa", "", "", "geen|2|1|[BC]Grism/0/\"^4[BC]^7Grism\"/0/\"[BC]Grism\"/0/0/Spec|0 0|[no match]"},
        {"the engine name does not hide the mod name", Q3 + "\\com_gamename\\Quake3Arena\\gamename\\baseoa\n",
         GameFamily::Q3, "baseoa", "", "", "geen|2|0|0 0|[no match]"},
        {"Quake 2: the game folder; carets and blanks stay",
         Q2 + "\\gamedir\\ctf\\mapname\\q2ctf1\\gamename\\ignored\n5 120 \"a^1b\"\n12345 7 \"long score\"\n",
         GameFamily::Q2, "ctf", "q2ctf1", "", "ctf|3|2|a^1b/5/\"a^1b\"/5/\"ab\"/5/120/Spec|0 0|"},
        {"carriage returns end player lines too", Q2 + "\\gamedir\\ctf\n1 2 \"a\"\r\n3 4 \"b\"\n", GameFamily::Q2,
         "ctf", "", "", "ctf|1|3|a/1/\"a\"/1/\"a\"/1/2/Spec|0 0|"},
        {"Osp ctf: the server's captures, the rows' frags",
         Q3 + "\\version\\Q3 1.32\\gamename\\osp\\g_gametype\\4\\timelimit\\20\\Score_Red\\3\\Score_Blue\\1"
              "\\Score_Time\\12:34\\mapname\\q3dm6\n7 50 \"a\"\n",
         GameFamily::Q3, "osp", "q3dm6", "", "ctfq3|8|1|a/7/\"a\"/7/\"a\"/7/50/Spec|3/0|12:34"},
        {"a colour code takes the blank along for the capper", Q3 + "\n5^ 7 1 \"Ann\"\n", GameFamily::Q3, "", "", "",
         "geen|0|1|1 Ann/5^/1 \"Ann\"/57/\"Ann\"/5/7/Spec|0 0|[no match]"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Steps m("10.0.0.5:27960 Friday league");
        m.reply(row.reply, "10.0.0.5", 27960);
        EXPECT_EQ(std::tie(m.app.monitor.gameFamily, m.app.monitor.gameText, m.app.monitor.mapText,
                           m.app.monitor.statisticsText),
                  std::make_tuple(row.family, row.game, row.map, row.stats));
        EXPECT_EQ(std::tuple(m.status(), m.app.monitor.receivedBytesText,
                             m.app.monitor.lastReplyText, m.output.replies),
                  std::tuple(row.status, " " + std::to_string(row.reply.size()) + " bytes.",
                             row.reply, 1));
    }
}

// The entry shows the address that answered, with its comment; datagrams from elsewhere, after
// switching off, the disconnect notice and an empty one from port 27999 are not replies.
TEST(ReplyHandler, WhoseDatagramsCountAsReplies) {
    const std::string q2 = Q2 + "\\gamedir\\evil\n1 1 \"intruder\"\n";
    // clang-format off
    const struct { const char *name, *entry; std::string datagram; const char* from; int port; const char *shows, *bytes, *read = "evil intruder"; } rows[] = {
        {"a name's answer", "localhost:27960", q2, "127.0.0.1", 27960, "127.0.0.1:27960", " 39 bytes."},
        {"any port of the server's address", "10.0.0.5:27960", q2, "10.0.0.5", 5555, "10.0.0.5:5555", " 39 bytes."},
        {"an IPv4 mapped sender", "10.0.0.5:27960", q2, "::ffff:10.0.0.5", 27960, "10.0.0.5:27960", " 39 bytes."},
        {"another host", "10.0.0.5:27960", q2, "10.6.6.6", 27960, nullptr, ""},
        {"after switching off", "", q2, "10.0.0.5", 27960, nullptr, ""},
        {"the disconnect notice", "10.0.0.5:27960", Q2.substr(0, 4) + "disconnect", "10.0.0.5", 27960, nullptr, " 14 bytes."},
        {"empty from port 27999", "10.0.0.5:27999", "", "10.0.0.5", 27999, nullptr, " 0 bytes."},
        {"eleven bytes from another port", "10.0.0.5:27960", Q2 + "x", "10.0.0.5", 5555, "10.0.0.5:5555", " 11 bytes.", " -"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string entry = *row.entry ? row.entry : "10.0.0.5:27960";
        Steps m(entry + " Friday league");
        if (!*row.entry) toggleConnection(m.app);
        m.reply(row.datagram, row.from, row.port);
        EXPECT_EQ(
            std::tuple(
                m.output.replies, m.app.monitor.receivedBytesText, m.app.settings.serverEntry,
                m.app.monitor.gameText + " " +
                    (m.app.monitor.playerRows.empty() ? "-" : m.app.monitor.playerRows[0].name)),
            std::tuple(row.shows ? 1 : 0, row.bytes,
                       (row.shows ? row.shows : entry) + " Friday league",
                       row.shows ? row.read : "[no server] Looking for server....."));
    }
}

TEST(ReplyHandler, VariablesAreListedAndAnEmptyReplyMeansNoServer) {
    Steps m;
    m.reply(Q3 + "\\sv_hostname\\Fight club\\g_gametype\\4\\empty\\\n2 1 \"x\\y\"\n", "10.0.0.5",
            27910);
    EXPECT_EQ(m.app.monitor.serverInfoText, "sv_hostname = Fight club\ng_gametype = 4\nempty = \n");
    EXPECT_EQ(m.rows(), "x\\y|___2|___1|Spec|Grey;");
    m.reply("", "10.0.0.5", 27910);
    EXPECT_EQ(m.app.monitor.gameFamily, GameFamily::None);
    EXPECT_EQ(m.rows(), "No server found!||||Black;");
    m.platform.advance(10000);
    EXPECT_EQ(m.sent(), "UT 10.0.0.5:27910 1000, Q2 10.0.0.5:27910 1000, Q3 10.0.0.5:27910 1000");
    toggleConnection(m.app);  // off and on again starts over
    toggleConnection(m.app);
    m.platform.advance(1000);
    EXPECT_EQ(m.sent(),
              "UT 10.0.0.5:27910 12000, Q2 10.0.0.5:27910 12000, Q3 10.0.0.5:27910 12000");
}

// Pieces by packet number as they arrive; "f" marks the final one, "F" a final mark without its
// closing backslash, "." a piece whose queryid has no full stop, "T" a poll tick (a new query);
// a piece followed by "+" shares its datagram with the next.
TEST(UnrealPieces, OneWholeAnswerPerQuery) {
    // clang-format off
    const struct { const char *name, *arrivals; int answers; } rows[] = {
        {"in order", "1 2 3f", 1}, {"out of order", "1 2 3f T 3f 2 1", 2},
        {"final mark without closing backslash", "1 2 3F", 1}, {"a missing piece later", "1 3f 2", 1},
        {"older pieces never mix in", "1 3f T 2", 0}, {"a lost final given up", "1 2 T 3f", 0},
        {"second final same query", "1 2 3f 3f 2", 1}, {"no piece 0", "1 3f 0f 2", 1},
        {"piece above 100 dropped", "1 2 101f", 0}, {"queryid without full stop", "1 2 3.", 0},
        {"every query answered once", "1 2 3f T 1 2 3f T 3f", 2},
        {"pieces in one datagram", "1+ 2 3f", 1}, {"a whole answer in one datagram", "1+ 2+ 3f", 1}};
    // clang-format on
    const UnrealAnswer answer{"CTFGame", "0", {{"Alpha", 3, "0"}, {"Bravo", 1, "1"}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Steps m("127.0.0.1:7778");
        int query = 1;
        std::istringstream in(row.arrivals);
        std::string bytes;
        for (std::string token; in >> token;) {
            if (token == "T") {
                m.platform.advance(2000);
                ++query;
                continue;
            }
            const bool joined = token.back() == '+';
            if (joined) token.pop_back();
            const char mark = token.back();
            const int packet = std::stoi(token);
            const std::string id =
                std::to_string(query) + (mark == '.' ? "" : ".") + std::to_string(packet);
            bytes += unrealPiece(answer, packet, id, mark == 'f' || mark == 'F');
            if (mark == 'F') bytes.pop_back();
            if (!joined) m.reply(std::exchange(bytes, {}), "127.0.0.1", 7778);
        }
        EXPECT_EQ(m.output.replies, row.answers);
        // The whole answer, whatever order its pieces came in; none yet: a word in the list.
        EXPECT_EQ(m.app.monitor.playerRows.at(1).name + " " + m.app.monitor.redScoreText +
                      m.app.match.blueTeamCaption,
                  row.answers > 0 ? "Bravo 0/3Team Blue" : "Waiting for packets! 0/0Blue team");
    }
    Steps m("127.0.0.1:7778");  // a small answer: all its pairs in piece 1, the final one
    std::string whole = unrealPiece(answer, 1, "", false);
    m.reply(whole.replace(whole.find("\\queryid"), 9, unrealPiece(answer, 2, "1.1", true)),
            "127.0.0.1", 7778);
    EXPECT_EQ(m.app.monitor.playerRows.at(1).name + m.app.monitor.redScoreText, "Bravo0/3");
    m.platform.advance(2000);  // then ten players in the most pieces an answer may have
    const UnrealAnswer ten{"CTFGame", "0", std::vector<UnrealPlayer>(10, {"P", 1, "0"})};
    for (int p = 1; p <= 100; ++p)
        m.reply(unrealPiece(ten, p, "2." + std::to_string(p), p == 100), "127.0.0.1", 7778);
    EXPECT_TRUE(m.output.replies == 2 && m.rows().ends_with(";P|1|13|Red|Red;")) << m.rows();
}

// A player is a "player_N" with a number as the answer writes it; the team column reads by game.
TEST(UnrealPieces, PlayersByTheirNumberTeamsByTheGame) {
    const std::string odd =
        "\\player_\\Ghost\\player_01\\Ghost\\player_1000\\Ghost\\player_x\\Ghost\\player_/\\Ghost";
    // clang-format off
    const struct { const char *gametype, *rows; } rows[] = {
        {"CTFGame", "Alpha 3 Red|Bravo 1 Blue|Cid 0 Spec|"}, {"TeamGamePlus", "Alpha 3 Red|Bravo 1 Blue|Cid 0 Spec|"},
        {"DeathMatchPlus", "Alpha 3 DM (0)|Bravo 1 DM (1)|Cid 0 DM (2)|"}, {"LastManStanding", "Alpha 3 0|Bravo 1 1|Cid 0 2|"}};
    // clang-format on
    for (const auto& r : rows) {
        Steps m("127.0.0.1:7778");
        const UnrealAnswer a{
            r.gametype, "0", {{"Alpha", 3, "0"}, {"Bravo", 1, "1"}, {"Cid", 0, "2"}}};
        m.reply(unrealPiece(a, 1, "1.1", false), "127.0.0.1", 7778);
        m.reply(odd + unrealPiece(a, 2, "1.2", true), "127.0.0.1", 7778);
        std::string shown;
        for (const PlayerRow& row : m.app.monitor.playerRows)
            shown += row.name + " " + stripNonBreakingSpaces(row.score) + " " + row.team + "|";
        EXPECT_EQ(shown, r.rows) << r.gametype;
    }
}

// Players past the tenth are numbered with two digits.
TEST(UnrealPieces, ElevenPlayersAllShown) {
    Steps m("127.0.0.1:7778");
    UnrealAnswer a{"DeathMatchPlus", "0", {}};
    for (int i = 0; i < 11; ++i) a.players.push_back({"p" + std::to_string(i), i, "0"});
    m.reply(unrealPiece(a, 1, "1.1", false) + unrealPiece(a, 2, "1.2", true), "127.0.0.1", 7778);
    EXPECT_EQ(m.app.monitor.playerRows.back().name, "p10");
}

}  // namespace
}  // namespace fc::test
