// What users get when they ask the bot in private, the ignore list, the greeting, the kill.
#include "core/game_type.h"
#include "irc_fixture.h"

namespace fc::test {
namespace {

using namespace std::string_literals;
using namespace std::chrono_literals;
using Ignored = std::vector<IgnoredNick>;

struct BotTest : IrcTest {
    void SetUp() override { app.settings.greetOnJoin = false, joinChannel(); }
};

// Client queries are answered in the CTCP wrapper, the PING with its own token.
TEST_F(BotTest, ClientQueriesGetAWrappedNoticeTheHelpTheScoreAndTheCommands) {
    const std::array<const char*, 3> rows[] = {
        {"version", "VERSION", "VERSION Fragcaster Version 1.33 Build  139"},
        {"ping", "PING 1700000000", "PING 1700000000"},
        {"ping", "ping a b", "PING a b"},
        {"time", "TIME", "TIME 2026-12-06 12:00:00"},
        {"clientinfo", "CLIENTINFO", "CLIENTINFO ACTION CLIENTINFO FINGER PING TIME VERSION"},
        {"finger", "FINGER", "FINGER https://fragcaster.example.net/"}};
    for (const auto& [kind, query, answer] : rows) {
        SCOPED_TRACE(query);
        ask("joe", "\001"s + query + "\001");
        expect({"NOTICE joe :\001"s + answer + "\001"},
               {"& Notice (CTCP "s + kind + ") sent to joe"});
        app.irc.ignoreList.clear();
    }
    ask("joe", "\001ACTION waves !info\001");  // no answer to what is no query of the bot's
    expect({});
    // !helpme: the score as captures (frags) and the time left; the ignore time is 5 s longer.
    app.monitor.mapText = "q3ctf1";
    app.status.red = readTeamScore("3/12");     // the scores of the last reply, as numbers
    app.status.blue = readTeamScore(" 40000");  // past 16 bits: not taken
    app.monitor.redScoreText = "9/9";           // the shown text is not read again
    app.monitor.timeLeft = TimeLeft::read("12:34");
    app.settings.ignoreSeconds = "15 sec";
    ask("joe", "!helpme");
    const Lines notices = sent();
    ASSERT_EQ(notices.size(), 6u);
    EXPECT_EQ(notices[1],
              "NOTICE joe :\0037Map:q3ctf1  Current score: [Red team] 3 (12) / "
              "[Blue team] 0 (0)  Time left: 12:34");
    EXPECT_EQ(notices[5], "NOTICE joe :\0037You can only send a command every 15 sec seconds!");
    expect({}, {"& Notice (!helpme) sent to joe"});
    EXPECT_EQ(app.irc.ignoreList, (Ignored{{"joe", 20s}}));
}

// Triggers: any case, at the end, in private. Capture games tell the match state, or while it
// runs the captures and time left; others both scores as shown. A private server hides its address.
TEST_F(BotTest, StatsAnswerOnTheGameTypeAndMatchStateToTriggersInPrivate) {
    app.monitor.gameType = GameType::Quake2Ctf;
    ask("a", "!STATS");
    ask("b", "hey bot, give me the !stats");
    line(":c!~c@host PRIVMSG #FCST :!stats");
    ask("d", "!stats please");
    expect({"NOTICE a :Match has not started yet", "NOTICE b :Match has not started yet"},
           {"& Notice (!stats) sent to a", "& Notice (!stats) sent to b", "<c> !stats"});
    using enum GameType;
    using enum MatchState;
    const std::string running =
        " -- Current score: [Red team] 2 (40) / [Blue team] 1 (35)  Time left: 7:00";
    const std::string scores = "  \037\002Current score\037\002: [Red team] 2/40 / [Blue team] 1";
    const std::tuple<const char*, GameType, MatchState, bool, std::string> rows[] = {
        {"capture game not started", Quake2Ctf, None, false, "Match has not started yet"},
        {"capture game skipped", Quake3OspCtf, Skip, false, "Match has not started yet"},
        {"capture game ready", UnrealCtf, Ready, false, "Match is ready to begin"},
        {"capture game running", Quake2Ctf, Running, false, running},
        {"on a private server", Quake3OspCtf, Running, true, running},
        {"scores, ready", Quake3OspScored, Ready, true, scores},
        {"scores, not started", Quake2FreeForAll, None, false, scores}};
    app.settings.serverEntry = "10.0.0.5:27960 Friday league";
    app.monitor.mapText = "q2dm1";
    app.monitor.timeLeft = TimeLeft::read("7:00");
    app.monitor.redScoreText = "2/40 ";
    app.monitor.blueScoreText = " 1";
    app.status.red = readTeamScore("2/40");
    app.status.blue = readTeamScore("1/35");
    for (const auto& [name, type, state, hidden, answer] : rows) {
        SCOPED_TRACE(name);
        app.settings.serverIsPrivate = hidden;
        app.monitor.gameType = type;
        app.match.matchState = state;
        ask("joe", "!stats");
        const std::string where = "\037\002Server\002\037: "s +
                                  (hidden ? "[PRIVATE!]" : "10.0.0.5:27960") +
                                  "  \037\002Map\037\002:q2dm1" + answer;
        expect({"NOTICE joe :" + (answer.starts_with("Match") ? answer : where)},
               {"& Notice (!stats) sent to joe"});
        app.irc.ignoreList.clear();
    }
}

TEST_F(BotTest, PlayersComeThreeToANoticeColouredAndPadded) {
    ask("ann", "!players");  // no players, no notice
    expect({}, {"& Notice (!players) sent to ann"});
    app.match.redTeamName = "=RC=";
    app.match.blueTeamName = "[B]";
    app.monitor.playerRows = {{"=RC=Sarge", "\240\24012", "\240\24050", ""},
                              {"[B]Doom", "3", "40", ""},
                              {"Abcdefghijklmnop", "0", "999", ""},  // sixteen letters: no padding
                              {"Xan", "1", "2", "Spec"},  // the team column beats the name
                              {"=RC=Fake", "1", "2", "Blue"},
                              {"[B]Turn", "1", "2", "Red"},
                              {"Last", "5", "6", ""}};
    ask("joe", "!players");
    expect({"NOTICE joe :\00304=RC=Sarge       \302\240\302\24012 (\302\240\302\24050), "
            "\00312[B]Doom         3 "
            "(40), \00314Abcdefghijklmnop 0 (999)",
            "NOTICE joe :\00314Xan             1 (2), \00312=RC=Fake        1 (2), \00304[B]Turn  "
            "       1 (2)",
            "NOTICE joe :\00314Last            5 (6)"},
           {"& Notice (!players) sent to joe"});
}

TEST_F(BotTest, InfoShowsTheVersionAndTheCountersAndAUserGetsOneAnswerPerIgnoreTime) {
    app.settings.ignoreSeconds = "3";
    app.settings.startCount = 12;
    app.settings.linesPrinted = 345;
    ask("joe", "!info");
    const Lines notices = sent();
    ASSERT_EQ(notices.size(), 4u);
    EXPECT_EQ(notices[0], "NOTICE joe :Fragcaster Version 1.33 Build: 139  S: 12  L: 345");
    ask("joe", "!stats");
    platform.advance(1000);
    ask("joe", "\001VERSION\001");  // the countdown is not restarted
    EXPECT_EQ(app.irc.ignoreList, (Ignored{{"joe", 2s}}));
    expect({}, {"& Notice (!info) sent to joe"});
    platform.advance(1000);
    EXPECT_EQ(app.irc.ignoreList, (Ignored{{"joe", 1s}}));  // ignored to the last second
    platform.advance(1000);
    EXPECT_TRUE(app.irc.ignoreList.empty());
    ask("joe", "\001VERSION\001");
    expect({"NOTICE joe :\001VERSION Fragcaster Version 1.33 Build  139\001"},
           {"& Notice (CTCP version) sent to joe"});
    app.settings.ignoreSeconds = "0";
    ask("zero", "!info");
    EXPECT_EQ(app.irc.ignoreList, (Ignored{{"joe", 3s}, {"zero", 0s}}));
    platform.advance(1000);
    EXPECT_EQ(app.irc.ignoreList, (Ignored{{"joe", 2s}}));
}

TEST_F(BotTest, JoinersAreGreetedWhenTheOptionIsOn) {
    line(":quiet!~q@host JOIN :#FCST");
    app.settings.greetOnJoin = true;
    line(":newbie!~n@host JOIN :#FCST");
    expect({"NOTICE newbie :\0037Hi! There is a war going on! Type \002/msg FCST !helpme\002 to "
            "get information about the war and the commands you can send me!"},
           {"* JOIN: quiet", "* JOIN: newbie"});
    EXPECT_TRUE(app.irc.ignoreList.empty());
}

// A listed nick stops the bot when the network knows it by an account of that name, or with the
// password; with neither nobody can. What follows the command is never shown.
TEST_F(BotTest, OnlyAListedNickLoggedInAsItselfOrGivingThePasswordStopsTheBot) {
    const Lines stop = {"NOTICE ADMIN :Command received!",
                        "QUIT :Remotely closed! - OMG! Somebody is controlling me!"};
    const std::string ask = ":ADMIN!a@h PRIVMSG FCST :!killyourself", no = "*ADMIN* !killyourself";
    const std::string refused = "*** !killyourself from ADMIN refused: ";
    const std::string noAccount = refused + "not logged in as ADMIN and no KillPassword is set.";
    const Lines out = {no, "*** DISCONNECTED! ***"}, kept = {no, noAccount};
    // clang-format off
    const std::tuple<const char*, const char*, std::string, Lines, Lines> rows[] = {
        {"its account by tag", "", "@account=admin " + ask, stop, out},
        {"another account by tag", "", "@account=thief " + ask, {}, kept},
        {"its account on an earlier line", "", "@account=admin :ADMIN!a@h PRIVMSG #FCST :hi\n" + ask, stop, {"<ADMIN> hi", no, out[1]}},
        {"untagged where tags are given", "", ":s CAP FCST ACK :account-tag\n" + ask, {}, kept},
        {"WHOIS names it", "", ask + "\n:s 330 FCST admin Admin :is", {"WHOIS ADMIN", stop[0], stop[1]}, out},
        {"WHOIS names none", "", ask + "\n:s 318 FCST ADMIN :End", {"WHOIS ADMIN"}, kept},
        {"extended join", "", ":s CAP FCST ACK :extended-join\n:ADMIN!a@h JOIN #FCST admin :A\n" + ask,
         stop, {"* JOIN: ADMIN", no, "*** DISCONNECTED! ***"}},
        {"logged out", "", ":admin!a@h ACCOUNT *\n" + ask, {}, kept},
        {"its account after a nick change", "", ":Bo!b@h ACCOUNT admin\n:Bo!b@h NICK ADMIN\n" + ask, stop, out},
        {"an account forgotten at a QUIT", "", ":admin!a@h ACCOUNT admin\n:ADMIN!a@h QUIT :x\n" + ask,
         {"WHOIS ADMIN"}, {"* LEFT: ADMIN (QUIT)", no}},
        {"the password", "pass word", ask + " pass word", stop, {no + " ****", "*** DISCONNECTED! ***"}},
        {"a wrong password", "pw", ask + " guess", {}, {no + " ****", refused + "wrong password."}},
        {"not listed", "", "@account=x :x!x@h PRIVMSG FCST :!killyourself", {}, {"*x* !killyourself"}}};
    // clang-format on
    app.settings.killAllowedFrom = "Admin  op2";
    for (const auto& [name, password, lines, sentLines, shownLines] : rows) {
        SCOPED_TRACE(name);
        app.settings.killPassword = password;
        joinChannel();
        line(lines);
        expect(sentLines, shownLines);
    }
    EXPECT_FALSE(app.window.connectIrcButtonEnabled);  // the fields stay locked until Quit IRC
}

}  // namespace
}  // namespace fc::test
