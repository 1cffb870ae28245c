#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "support/steps.h"

namespace fc::test {
namespace {

TEST(Polling, SwitchingOnPreparesALiveRunAndOffEndsIt) {
    Steps m("");
    m.app.monitor.lastValues.timeLeft = TimeLeft::read("3");
    m.app.monitor.lastValues.red = 3;
    m.app.match.game.capsRedQ3 = 4;
    m.app.settings.timeLimitMinutes = "30";
    m.app.match.matchState = MatchState::Ready;
    m.app.match.redMembers = "\"Alpha\"", m.app.window.playerRowsSortColumn = 0;
    m.switchOn("10.0.0.5");
    EXPECT_EQ(
        std::make_tuple(m.app.settings.timeLimitMinutes.text(), m.app.monitor.lastValues.timeLeft,
                        m.app.monitor.lastValues.red, m.app.match.matchState,
                        m.app.match.game.capsRedQ3, m.app.match.redMembers,
                        m.app.monitor.timeLeft.text(), m.app.window.addServerEnabled),
        std::make_tuple("20", TimeLeft(), ComparedScore(), MatchState::None, 0, "", "[no match]",
                        true));
    m.firstTick();
    EXPECT_EQ(m.sent(), "UT 10.0.0.5:27910 1000, Q2 10.0.0.5:27910 1000, Q3 10.0.0.5:27910 1000");
    m.roster = {{"1", "20", "Zulu"}, {"2", "1030", "Alpha"}};
    m.send("print\n\\Players_Red\\1\\Players_Blue\\2");
    EXPECT_EQ(m.rows(), "Alpha|___2|1030|Blue|Blue;Zulu|___1|__20|Red|Red;");  // sorted by name
    EXPECT_EQ(m.status(),
              "geen|2|2|Zulu/1/\"Zulu\"/1/\"Zulu\"/1/20/Red|0 1|[no match]");  // unsorted
    m.roster = {{"1", "20", "Zu"}, {"1", "20", "Zu"}}, m.send("print\n\\Players_Red\\1");  // alike
    EXPECT_EQ(m.app.status.players.at(0).team + m.app.status.players.at(1).team, "RedSpec");
    m.platform.advance(3000);  // a Quake family: the tick at 3000 ms, then one a second
    EXPECT_EQ(std::string(familyText(m.app.monitor.gameFamily)) + " " + m.sent(),
              "Q2 Q2 10.0.0.5:27910 3000, Q3 10.0.0.5:27910 3000, Q2 10.0.0.5:27910 4000, "
              "Q3 10.0.0.5:27910 4000");
    m.app.window.timeLeftWide = false, toggleConnection(m.app);  // off: the time left wide again
    EXPECT_EQ(std::tuple(m.app.window.serverEntryEnabled, m.app.monitor.gameType,
                         m.platform.tcpSockets.at(1)->closes, m.app.battleTimer->enabled(),
                         m.app.window.timePlayedVisible, m.app.window.timeLeftWide,
                         m.app.window.addServerEnabled, m.app.window.liveBannerVisible),
              std::tuple(true, GameType::NotMonitoring, 2, false, false, true, false, false));
    m.platform.advance(10000);
    EXPECT_EQ(m.sent(), "");
}

// Ten seconds without an answer are told once, and the first answer after them.
TEST(Polling, ASilentServerIsToldOnceAndAgainWhenItAnswers) {
    Steps m;
    const auto told = [&m] {
        std::string out;
        for (const std::string& line : std::exchange(m.output.lines, {}))
            if (line.find("The server") != std::string::npos) out += line;
        return out;
    };
    m.platform.advance(8000);  // the ticks come every two seconds until the family is known
    EXPECT_EQ(told(), "");
    m.platform.advance(2000);
    EXPECT_EQ(told(), "The server 10.0.0.5:27910 has not answered for 10 seconds.");
    m.platform.advance(20000);
    EXPECT_EQ(told(), "");
    m.send("print\n\\mapname\\q2dm1");
    m.send("print\n\\mapname\\q2dm1");
    EXPECT_EQ(told(), "The server 10.0.0.5:27910 answers again.");
    m.platform.advance(10000);  // told at the tick ten seconds after the last answer
    EXPECT_EQ(told(), "The server 10.0.0.5:27910 has not answered for 10 seconds.");
}

// An entry that cannot name a server is refused with its reason beside it; another entry takes
// away what the last server showed.
TEST(Polling, AnEntryThatCannotBeAServerIsRefusedWithItsReason) {
    const std::pair<const char*, const char*> rows[] = {
        {" Friday", "no server is named: type HOST or HOST:PORT"},
        {"nonsense!!host", "\"nonsense!!host\" cannot be a host name or address"},
        {"host:0 Friday", "the port \"0\" is not a number from 1 to 65535"},
        {"host:65536", "the port \"65536\" is not a number from 1 to 65535"},
        {"host:abc", "the port \"abc\" is not a number from 1 to 65535"},
        {"host:000080", "the port \"000080\" is not a number from 1 to 65535"},
        {"10.0.0.5:65535 Friday", ""},
        {"quake-1.example.net", ""},
        {"AZ-09_az:27910", ""}};
    for (const auto& [entry, fault] : rows) {
        SCOPED_TRACE(entry);
        Steps m("");
        onServerEntryEdited(m.app, entry);
        toggleConnection(m.app);
        EXPECT_EQ(std::tuple(m.app.window.serverEntryFault, m.app.window.serverEntryEnabled),
                  std::tuple(*fault ? "Not a server: " + std::string(fault) : "", *fault != 0));
    }
    Steps m;
    m.send("print\n\\mapname\\q2dm1");
    toggleConnection(m.app);
    onServerEntryEdited(m.app, "10.0.0.6:27910");
    EXPECT_EQ(std::tuple(m.rows(), m.app.monitor.mapText, m.app.monitor.playersPlaying,
                         m.app.window.liveBannerVisible),
              std::tuple("", "", "", false));
}

// Under eleven bytes with "@" second from the queried port: a game port; a reply moves the queries.
TEST(Polling, OnlyTheQueriedPortShowsAGamePort) {
    const std::string quake3 = "\xFF\xFF\xFF\xFFstatusResponse\n\\version\\Q3 1.32\n";
    // clang-format off
    const struct { const char* name; std::string datagram; int fromPort; const char* entry; bool unreal; } rows[] = {
        {"eleven bytes", "\x01@123456789", 27960, "10.0.0.7:27960 Friday", false},
        {"ten bytes", "\x01@12345678", 27960, "10.0.0.7:27961 Friday", true},
        {"two bytes", "\x01@", 27960, "10.0.0.7:27961 Friday", true},
        {"from another port", "\x01@xyz", 27961, "10.0.0.7:27960 Friday", false},
        {"empty from another port", "", 27961, "10.0.0.7:27960 Friday", false},
        {"a whole reply from another port", quake3, 27970, "10.0.0.7:27970 Friday", false},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Steps m("10.0.0.7:27960 Friday");
        m.reply(quake3, "10.0.0.7", 27960);
        for (int i = 0; i < 3; ++i) m.reply(row.datagram, "10.0.0.7", row.fromPort);
        m.platform.advance(2000);
        EXPECT_EQ(std::tuple(m.app.settings.serverEntry, m.app.monitor.gameFamily == GameFamily::UT,
                             m.app.monitor.portBumped, m.socket().sent.back().port),
                  std::tuple(row.entry, row.unreal, row.unreal, std::stoi(row.entry + 9)));
    }
}

TEST(Polling, PlusPortAndTheConnectionButton) {
    // The port above (huge ports held as other numbers are), the family Unreal's.
    const std::pair<const char*, const char*> plus[] = {
        {"10.0.0.7:7777 Clan server", "10.0.0.7:7778 Clan server"},
        {"10.0.0.7", "10.0.0.7:27911"},
        {"10.0.0.7:999999999999999999999999999999", "10.0.0.7:9000000000000000000"}};
    for (const auto& [entry, shown] : plus) {
        Monitor m;
        onServerEntryEdited(m.app, entry);
        plusPort(m.app);
        EXPECT_EQ(std::tuple(m.app.settings.serverEntry, m.app.monitor.gameFamily,
                             m.app.window.connectionButtonEnabled),
                  std::tuple(shown, GameFamily::UT, true));
        onServerEntryEdited(m.app, "");
        EXPECT_FALSE(m.app.window.connectionButtonEnabled);
    }
}

// A name not found sends nothing, is looked up at every tick and said once, and when found.
TEST(Polling, QueriesWaitForTheNameAndAFailedNameIsAskedAgain) {
    const std::string missing =
        "*** The host nowhere.invalid cannot be found; it will be looked up again.";
    // clang-format off
    const struct { const char *name, *entry; std::int64_t foundMs; std::size_t lookups; const char* sent;
                   std::vector<std::string> output = {}; } rows[] = {
        {"a numeric address: no look-up", "127.0.0.1:27960", 6000, 0, "UT 127.0.0.1:27960 1000"},
        {"a name polled once found", "localhost:27960", 6000, 1, "UT localhost:27960 1300"},
        {"a name not found, looked up each tick", "nowhere.invalid:27960", 6000, 3, "", {missing}},
        {"a name found later is said and polled", "nowhere.invalid:27960", 3500, 3, "UT nowhere.invalid:27960 5300",
         {missing, "*** The host nowhere.invalid was found at 127.0.0.1."}},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Steps m("");
        m.platform.lookupDelayMs = 300;
        m.switchOn(row.entry);
        m.platform.advance(row.foundMs);
        m.platform.hosts["nowhere.invalid"] = "127.0.0.1";
        m.platform.advance(6000 - m.platform.nowMs());
        EXPECT_EQ(std::tuple(m.platform.lookups.size(), m.output.lines,
                             m.sent().substr(0, std::strlen(row.sent)),
                             *row.sent ? m.socket().remoteAddress() : ""),
                  std::tuple(row.lookups, row.output, row.sent, *row.sent ? "127.0.0.1" : ""));
    }
}

}  // namespace
}  // namespace fc::test
