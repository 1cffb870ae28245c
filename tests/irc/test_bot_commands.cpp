// What users get when they ask the bot in private: every command and client query with its
// exact notices, the ignore list, the greeting, and who may stop the bot.
#include <set>

#include "core/game_type.h"
#include "irc_fixture.h"
#include "monitor/poller.h"
#include "support/replies.h"

namespace fc::test {
namespace {

struct BotTest : IrcTest {
    void SetUp() override {
        app.settings.greetOnJoin = false;
        joinChannel();
    }
    void setScores(const char* red, const char* blue) {  // as the monitor read them
        app.monitor.redScoreText = red;
        app.monitor.blueScoreText = blue;
        app.status.red = readTeamScore(red);
        app.status.blue = readTeamScore(blue);
    }
};

Lines info(const std::string& nick, const std::string& counters) {
    const std::string to = "NOTICE " + nick + " :";
    return {to + "Fragcaster Version 1.33 Build: 139  " + counters,
            to + "Made by the Fragcaster team - call +1 555 0139 for help.",
            to + "I keep match scores live up to date and will report them in this channel.",
            to + "Web: https://fragcaster.example.net/  E-mail: bot@fragcaster.example.net"};
}

Lines help(const std::string& mapAndScore, const std::string& seconds) {
    const std::string to = "NOTICE joe :\0037", type = to + "Type: \002/msg FCST !";
    return {to + "Fragcaster Version 1.33",
            to + "Map:" + mapAndScore,
            type + "info\002  = Info about the program",
            type + "players\002  = Current players playing on that server",
            type + "stats\002  = Current match info.",
            to + "You can only send a command every " + seconds + " seconds!"};
}

TEST_F(BotTest, ClientQueriesGetAPlainNoticeAndThePingsTimeIsNotEchoed) {
    const std::array<const char*, 3> rows[] = {
        {"version", "VERSION", "Fragcaster Version 1.33 Build  139"},
        {"ping", "PING 1700000000", "You're lagging..."},
        {"finger", "FINGER", "https://fragcaster.example.net/"}};
    for (const auto& [kind, query, answer] : rows) {
        SCOPED_TRACE(kind);
        ask("joe", std::string("\001") + query + "\001");
        expect({std::string("NOTICE joe :") + answer},
               {std::string("& Notice (CTCP ") + kind + ") sent to joe"});
        app.irc.ignoreList.clear();
    }
}

TEST_F(BotTest, HelpmeShowsTheScoreAndTheCommandsAndIgnoresFiveSecondsLonger) {
    app.monitor.mapText = "q3ctf1";
    setScores("3/12", " 25");  // no "/": the first number is 0, the second the whole value
    app.monitor.timeLeftText = "12:34";
    app.settings.ignoreSeconds = "15 sec";
    ask("joe", "!helpme");
    expect(help("q3ctf1  Current score: [Red team] 3 (12) / [Blue team] 0 (25)  Time left: 12:34",
                "15 sec"),
           {"& Notice (!helpme) sent to joe"});
    EXPECT_EQ(app.irc.ignoreList, Lines{"joe 20"});
}

TEST_F(BotTest, HelpmeLeavesFourNoticesAtOnceThenOnePerGap) {
    app.settings.ircLineGapMs = "2000";
    platform.advance(10000);  // a full burst again
    ask("joe", "!helpme");
    const Lines notices =
        help("  Current score: [Red team] 0 (0) / [Blue team] 0 (0)  Time left: [no match]", "15");
    expect({notices.begin(), notices.begin() + 4}, {"& Notice (!helpme) sent to joe"});
    for (int i = 4; i < 6; ++i) {
        platform.advance(1999);
        expect({});
        platform.advance(1);
        expect({notices[i]});
    }
    platform.advance(4000);
    expect({});
}

// Capture games tell the match state, and while it runs the captures and the time left; every
// other game type tells both scores as shown. A private server hides its address.
TEST_F(BotTest, StatsAnswerOnEveryGameTypeAndMatchState) {
    using enum GameType;
    using enum MatchState;
    const auto server = [](bool hidden) {
        return std::string("\037\002Server\002\037: ") +
               (hidden ? "[PRIVATE!]" : "10.0.0.5:27960") + "  \037\002Map\037\002:q2dm1";
    };
    const std::string captures =
        " -- Current score: [Red team] 2 (40) / [Blue team] 1 (35)  Time left: 7:00";
    const std::string frags =
        " -- Current score: [Red team] 0 (17) / [Blue team] 0 (9)  Time left: 7:00";
    const std::string scores = "  \037\002Current score\037\002: [Red team] 17 / [Blue team] 9";
    struct Row {
        const char* name;
        GameType type;
        MatchState state;
        bool hidden;
        bool split;  // scores as captures/frags, else one number with blanks round it
        std::string answer;
    };
    const Row rows[] = {
        {"capture game not started", Quake2Ctf, None, false, true, "Match has not started yet"},
        {"capture game skipped", Quake3OspCtf, Skip, false, true, "Match has not started yet"},
        {"capture game ready", Quake2Ctf, Ready, false, true, "Match is ready to begin"},
        {"capture game running", Quake2Ctf, Running, false, true, server(false) + captures},
        {"on a private server", Quake3OspCtf, Running, true, true, server(true) + captures},
        {"Unreal captures", UnrealCtf, Running, false, false, server(false) + frags},
        {"base Quake 3 captures", Quake3BaseCtf, Running, false, false, server(false) + frags},
        {"scores, ready", Quake3OspScored, Ready, true, false, server(true) + scores},
        {"scores, running", Quake2TeamDeathmatch, Running, true, false, server(true) + scores},
        {"scores, not started", Quake2FreeForAll, None, false, false, server(false) + scores},
        {"no game yet", NoGameYet, Running, false, false, server(false) + scores},
        {"not monitoring", NotMonitoring, Running, false, false, server(false) + scores},
        {"duel", Quake2Duel, Running, false, false, server(false) + scores},
        {"free for all", Quake3OspFreeForAll, Running, false, false, server(false) + scores},
        {"team game", Quake3TeamGame, Running, false, false, server(false) + scores},
        {"Unreal team game", UnrealTeamGame, Running, false, false, server(false) + scores},
        {"Unreal, other", UnrealOther, Running, false, false, server(false) + scores},
    };
    std::set<GameType> types;
    app.settings.serverEntry = "10.0.0.5:27960 Friday league";
    app.monitor.mapText = "q2dm1";
    app.monitor.timeLeftText = "7:00";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        types.insert(row.type);
        setScores(row.split ? "2/40" : " 17 ", row.split ? "1/35" : "9");
        app.settings.serverIsPrivate = row.hidden;
        app.monitor.gameType = row.type;
        app.match.matchState = row.state;
        ask("joe", "!stats");
        expect({"NOTICE joe :" + row.answer}, {"& Notice (!stats) sent to joe"});
        app.irc.ignoreList.clear();
    }
    EXPECT_EQ(types.size(), kGameTypes.size());
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
    expect({"NOTICE joe :\00304=RC=Sarge       \240\24012 (\240\24050), \00312[B]Doom         3 "
            "(40), \00314Abcdefghijklmnop 0 (999)",
            "NOTICE joe :\00314Xan             1 (2), \00312=RC=Fake        1 (2), \00304[B]Turn  "
            "       1 (2)",
            "NOTICE joe :\00314Last            5 (6)"},
           {"& Notice (!players) sent to joe"});
}

TEST_F(BotTest, TriggersIgnoreCaseOnlyTheEndCountsAndOnlyInPrivate) {
    app.monitor.gameType = GameType::Quake2Ctf;
    ask("a", "!STATS");
    ask("b", "hey bot, give me the !stats");
    line(":c!~c@host PRIVMSG #FCST :!stats");
    ask("d", "!stats please");
    expect({"NOTICE a :Match has not started yet", "NOTICE b :Match has not started yet"},
           {"& Notice (!stats) sent to a", "& Notice (!stats) sent to b", "<c> !stats"});
}

TEST_F(BotTest, InfoShowsTheVersionAndTheCountersAndAUserGetsOneAnswerPerIgnoreTime) {
    app.settings.ignoreSeconds = "3";
    app.settings.startCount = 12;
    app.settings.linesPrinted = 345;
    ask("joe", "!info");
    expect(info("joe", "S: 12  L: 345"), {"& Notice (!info) sent to joe"});
    ask("joe", "!stats");
    EXPECT_EQ(app.irc.ignoreList, Lines{"joe 3"});
    platform.advance(1000);
    ask("joe", "\001VERSION\001");  // the countdown is not restarted
    EXPECT_EQ(app.irc.ignoreList, Lines{"joe 2"});
    expect({});
    platform.advance(2000);
    EXPECT_TRUE(app.irc.ignoreList.empty());
    ask("joe", "\001VERSION\001");
    expect({"NOTICE joe :Fragcaster Version 1.33 Build  139"},
           {"& Notice (CTCP version) sent to joe"});
    app.settings.ignoreSeconds = "0";
    ask("zero", "!info");
    expect(info("zero", "S: 12  L: 345"), {"& Notice (!info) sent to zero"});
    EXPECT_EQ(app.irc.ignoreList, (Lines{"joe 3", "zero 0"}));
    platform.advance(1000);
    EXPECT_EQ(app.irc.ignoreList, Lines{"joe 2"});
}

TEST_F(BotTest, OnlyListedNicksMayStopTheBot) {
    ask("stranger", "!killyourself");
    app.settings.killAllowedFrom = "Admin  op2";
    ask("stranger", "!killyourself");
    for (int i = 0; i < 2; ++i) {  // no ignore check for this one
        ask("ADMIN", "!killyourself");
        expect({"NOTICE ADMIN :Command received!",
                "QUIT :Remotely closed! - OMG! Somebody is controlling me!"},
               {"*** DISCONNECTED! ***"});
    }
    EXPECT_FALSE(app.window.connectIrcButtonEnabled);  // the fields stay locked until Quit IRC
}

TEST_F(BotTest, JoiningUsersAreGreetedWhenTheOptionIsOn) {
    line(":quiet!~q@host JOIN :#FCST");
    app.settings.greetOnJoin = true;
    line(":newbie!~n@host JOIN :#FCST");
    expect({"NOTICE newbie :\0037Hi! There is a war going on! Type \002/msg FCST !helpme\002 to "
            "get information about the war and the commands you can send me!"},
           {"* JOIN: quiet", "* JOIN: newbie"});
    EXPECT_TRUE(app.irc.ignoreList.empty());
}

// The scores of the reply the monitor read, captures and frags as numbers, are what the bot
// tells; no shown text is read again for them.
TEST_F(BotTest, TheScoresToldAreThoseOfTheLastReply) {
    const std::pair<Vars, const char*> rows[] = {
        {ospVars("4", "7:00", "20", "3", "1"), "[Red team] 3 (0) / [Blue team] 1 (0)"},
        {ospVars("4", "6:00", "20", "12", "9"), "[Red team] 12 (0) / [Blue team] 9 (0)"}};
    app.settings.ignoreSeconds = "0";
    onServerEntryEdited(app, "127.0.0.1:27960");
    toggleConnection(app);
    platform.advance(1000);
    for (const auto& [vars, score] : rows) {
        SCOPED_TRACE(score);
        platform.udpSockets.at(0)->deliver(quake3Reply(vars, {{"1", "20", "a"}}), "127.0.0.1",
                                           27960);
        app.irc.ignoreList.clear();
        ask("joe", "!helpme");
        const Lines lines = sent();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_NE(lines[1].find("Current score: " + std::string(score) + "  Time left: "),
                  std::string::npos)
            << lines[1];
    }
}

}  // namespace
}  // namespace fc::test
