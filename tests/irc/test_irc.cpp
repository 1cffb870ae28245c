// The IRC bot on the fake platform. From case files: what users get when they ask it, the
// server's lines and the operator's console, the lines it says and the pace of real networks.
// Here: the reading of a line, the bounds of what it reads, sends and keeps, the redial waits.
#include <algorithm>
#include <cctype>

#include "core/game_type.h"
#include "irc/bot_commands.h"
#include "irc/irc_line.h"
#include "irc/send_queue.h"
#include "irc/session.h"
#include "irc_fixture.h"
#include "monitor/poller.h"
#include "support/cases.h"
#include "support/replies.h"

namespace fc::test {
namespace {

FC_SESSIONS(BotCommands, "irc/cases/bot_commands.txt")
FC_SESSIONS(IrcConnection, "irc/cases/connection.txt")
FC_SESSIONS(Outgoing, "irc/cases/outgoing.txt")

using IrcBoundsTest = IrcTest;

TEST(Stripping, ColourAndFontCodes) {
    const std::pair<const char*, const char*> colours[] = {
        {"^C04Red^C team", "Red team"}, {"^C123", "3"}, {"^C4,1x", ",1x"}, {"end^C", "end"}};
    for (const auto& [text, stripped] : colours)
        EXPECT_EQ(removeColorCodes(unescape(text)), stripped);
    EXPECT_EQ(removeFontCodes(unescape("^BA^_B^VC^O")), unescape("ABC^O"));
}

TEST_F(IrcBoundsTest, NoLineOverrunsTheLimitAndTheEchoShowsWhatLeft) {
    joinChannel();
    sayInChannel(app, "#FCST", std::string(600, 'a'));
    const std::string& bytes = socket().sent;
    EXPECT_EQ(bytes.size(), 512u);
    EXPECT_EQ(bytes.substr(510), "\r\n");
    EXPECT_EQ(shown(), (Lines{"<FCST> " + std::string(510 - 15, 'a')}));
    sent();
    sendIrcLine(app, "NOTICE x :" + std::string(1000, 'b'));
    EXPECT_EQ(socket().sent.size(), 512u);
}

// Every game type gets an answer to "!stats": capture games the captures and the time left of
// the running match, the others both scores as shown.
TEST_F(IrcTest, StatsAnswersOnEveryGameType) {
    enum Answer { Captures, Scores };
    const std::pair<GameType, Answer> rows[] = {
        {GameType::NoGameYet, Scores},
        {GameType::NotMonitoring, Scores},
        {GameType::Quake2Ctf, Captures},
        {GameType::Quake2Duel, Scores},
        {GameType::Quake2TeamDeathmatch, Scores},
        {GameType::Quake2FreeForAll, Scores},
        {GameType::Quake3OspFreeForAll, Scores},
        {GameType::Quake3OspScored, Scores},
        {GameType::Quake3TeamGame, Scores},
        {GameType::Quake3OspCtf, Captures},
        {GameType::Quake3BaseCtf, Captures},
        {GameType::UnrealTeamGame, Scores},
        {GameType::UnrealCtf, Captures},
        {GameType::UnrealOther, Scores},
    };
    ASSERT_EQ(std::size(rows), kGameTypes.size());
    const std::string server = "NOTICE joe :^_^BServer^B^_: 10.0.0.5:27960  ^_^BMap^_^B:oa_ctf4ish";
    const std::string answers[] = {
        server + " -- Current score: [Red team] 2 (40) / [Blue team] 1 (35)  Time left: 7:00",
        server + "  ^_^BCurrent score^_^B: [Red team] 2/40 / [Blue team] 1/35"};
    joinChannel();
    app.settings.serverEntry = "10.0.0.5:27960 Friday league";
    app.monitor.mapText = "oa_ctf4ish";
    app.monitor.timeLeftText = "7:00";
    app.monitor.redScoreText = "2/40";
    app.monitor.blueScoreText = "1/35";
    app.status.red = readTeamScore(app.monitor.redScoreText);
    app.status.blue = readTeamScore(app.monitor.blueScoreText);
    app.match.matchState = MatchState::Running;
    app.settings.ignoreSeconds = "0";
    for (const auto& [type, answer] : rows) {
        SCOPED_TRACE(describe(type).name);
        app.monitor.gameType = type;
        receive(":joe!u@h PRIVMSG FCST :!stats\r\n");
        EXPECT_EQ(sent(), Lines{unescape(answers[answer])});
        EXPECT_EQ(shown(), (Lines{"<joe> !stats", "& Notice (!stats) sent to joe"}));
        onIgnoreTimer(app);  // joe may ask again
    }
}

// The scores of the reply the monitor read, captures and frags as numbers, are what the bot
// tells; no shown text is read again for them.
TEST_F(IrcBoundsTest, BotTellsTheScoresOfTheLastReply) {
    struct Row {
        Vars vars;
        const char* asker;  // each asks once: a second "!helpme" would wait
        std::string score;
    };
    const Row rows[] = {
        {ospVars("4", "7:00", "20", "3", "1"), "joe", "[Red team] 3 (0) / [Blue team] 1 (0)"},
        {ospVars("4", "6:00", "20", "12", "9"), "ann", "[Red team] 12 (0) / [Blue team] 9 (0)"},
    };
    joinChannel();
    app.settings.ignoreSeconds = "0";
    onServerEntryEdited(app, "127.0.0.1:27960");
    toggleConnection(app);
    platform.advance(1000);
    for (const auto& [vars, asker, score] : rows) {
        SCOPED_TRACE(score);
        platform.udpSockets.at(0)->deliver(quake3Reply(vars, {{"1", "20", "a"}}), "127.0.0.1",
                                           27960);
        receive(std::string(":") + asker + "!u@h PRIVMSG FCST :!helpme\r\n");
        const Lines lines = sent();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_NE(lines[1].find("Current score: " + score + "  Time left: "), std::string::npos)
            << lines[1];
    }
}

TEST_F(IrcBoundsTest, OutputWindowKeepsItsLastNineThousandCharacters) {
    app.appendOutput(std::string(9998, 'x'));  // 10000 with its CR LF: not trimmed yet
    EXPECT_EQ(app.irc.ircOutput.size(), 10000u);
    app.appendOutput("");
    EXPECT_EQ(app.irc.ircOutput.size(), 9000u);
    EXPECT_EQ(app.irc.ircOutput.substr(8995), "x\r\n\r\n");
}

TEST_F(IrcBoundsTest, TheQueueKeepsItsBoundDroppingNoticesNeverReportsAndOnePong) {
    app.settings.ircLineGapMs = "2000";
    joinChannel();
    app.monitor.playerRows.assign(64, PlayerRow{"p", "1", "5", "Blue", RowColour::Blue});
    const auto ask = [&](int n) {
        receive(":n" + std::to_string(n) + "!u@h PRIVMSG FCST :!players\r\n");
    };
    for (int i = 0; i < 20; ++i) ask(i);
    sayInChannel(app, "#FCST", "report");
    for (int i = 20; i < 30; ++i) ask(i);
    EXPECT_EQ(app.irc.queue.size(), 200u);
    int told = 0;
    for (const std::string& line : shown()) told += line.rfind("*** Send queue full", 0) == 0;
    EXPECT_EQ(told, 1);
    sent();
    platform.advance(2000);
    EXPECT_EQ(sent(), Lines{"PRIVMSG #FCST :report"});  // the report line left first

    std::string pings;
    for (int i = 0; i < 300; ++i) pings += "PING :t" + std::to_string(i) + "\r\n";
    receive(pings);
    for (int i = 0; i < 300; ++i) sayInChannel(app, "#FCST", "report " + std::to_string(i));
    EXPECT_EQ(app.irc.queue.pong.size(), 1u);  // the answer to the latest PING only
    EXPECT_EQ(app.irc.queue.size(), 200u);
    EXPECT_EQ(app.irc.queue.main.back().body, "PRIVMSG #FCST :report 299");
    EXPECT_EQ(dropped, 300 - static_cast<int>(app.irc.queue.main.size()));  // each one told
}

TEST_F(IrcBoundsTest, LostConnectionsAreRedialledWithDoublingWaits) {
    joinChannel();
    // Each wait is the base plus at most a tenth; the status counts down.
    for (int base : {10, 20, 40, 80, 160, 320, 600, 600}) {
        socket().peerClose();
        platform.advance(200);
        EXPECT_EQ(app.irc.ircStatus.rfind("Reconnecting in ", 0), 0u) << app.irc.ircStatus;
        const int dials = socket().connects;
        platform.advance(base * 1000 - 200 - 1);
        EXPECT_EQ(socket().connects, dials) << base;
        platform.advance(base * 100 + 1);
        EXPECT_EQ(socket().connects, dials + 1) << base;
    }
    socket().accept();
    receive(":irc.test 001 FCST :Welcome\r\n:irc.test 422 FCST :MOTD File is missing\r\n");
    EXPECT_EQ(sent().back(), "JOIN #FCST ");  // with its key, after 422 as after 376
    socket().fail();                          // a welcome starts the waits over
    platform.advance(11000);
    EXPECT_EQ(socket().state(), SocketState::Connecting);

    quitIrc(app);  // while connecting: the socket is closed and no redial follows
    EXPECT_EQ(socket().state(), SocketState::Closed);
    platform.advance(700000);
    EXPECT_EQ(socket().state(), SocketState::Closed);
}

TEST_F(IrcBoundsTest, ALineThatNeverEndsIsDroppedNotHoarded) {
    connect();
    receive(":irc.test NOTICE FCST :" + std::string(16384, 'x'));
    const Lines lines = shown();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("*** Line from server longer than 16384 bytes dropped: :irc", 0), 0u);
    EXPECT_TRUE(app.irc.partialLine.empty());
    receive(std::string(100000, 'y') + "PING :tail\r\nPING :next\r\n");  // the rest is passed over
    EXPECT_EQ(sent(), (Lines{"PONG :next"}));
}

TEST(IrcStatus, SocketStatesAsTheOperatorReadsThem) {
    const std::pair<SocketState, const char*> states[] = {
        {SocketState::ResolvingHost, "Searching hostname..."},
        {SocketState::Closing, "Disconnected"},
        {SocketState::HostResolved, "Unkown error:  5!"},
        {SocketState::Open, "Unkown error:  1!"}};
    for (const auto& [state, text] : states) EXPECT_EQ(ircStatusText(state), text);
}

// Sender, command and parameters, joined by "|"; the "!" in a server's text is no nick's end.
TEST(IrcLine, SplitsPrefixCommandAndParams) {
    const std::pair<const char*, const char*> splits[] = {
        {":nick!~u@host PRIVMSG #c :hi! there\r\n", "nick|PRIVMSG|#c :hi! there\r\n"},
        {":irc.test NOTICE FCST :hello!\r\n", "irc.test|NOTICE|FCST :hello!\r\n"},
        {":nick!u@h QUIT\r\n", "nick|QUIT|"},
        {":x", "x||"},
        {" PING :x!y", "|PING|:x!y"}};  // no prefix at all
    for (const auto& [line, parts] : splits) {
        const IrcLine l = splitIrcLine(line);
        EXPECT_EQ(l.sender + "|" + l.command + "|" + l.params, parts);
    }
    for (const char* line : {":a!b@c 353 x = #y :z", "ERROR :Closing link"})
        EXPECT_TRUE(isReadableIrcLine(line)) << line;
    for (const char* line : {": PRIVMSG x", ":a 12 x", "PRIV-MSG x"})
        EXPECT_FALSE(isReadableIrcLine(line)) << line;
}

// Lines said while the bot is out of its channel: every kind of absence holds them, lines still
// in the send queue when it leaves wait again ahead of later ones, and once back they leave in
// order, those that waited more than 30 s with the time of day they were said.
TEST_F(IrcBoundsTest, LinesSaidAwayFromTheChannelLeaveOnceBackInOrder) {
    app.settings.ircLineGapMs = "2000";
    joinChannel();
    Lines heard;
    const auto listen = [&](std::int64_t ms) {
        platform.advance(ms);
        for (const std::string& line : sent())
            if (line.rfind("PRIVMSG #FCST :", 0) == 0) heard.push_back(line.substr(15));
    };
    const auto say = [&](int from, int to) {
        for (int i = from; i <= to; ++i) sayInChannel(app, "#FCST", std::to_string(i));
    };
    listen(10000);
    say(1, 6);  // four leave at once, two wait for the pace
    receive(":op!~o@h KICK #FCST FCST :out\r\n:irc.test 474 FCST #FCST :Cannot join (+b)\r\n");
    say(7, 7);
    listen(1);
    say(8, 8);
    listen(30000);  // banned, retrying every 10 s: 7 waits 30.001 s, 8 waits 30 s
    receive(":FCST!~fcst@h JOIN :#FCST\r\n");
    const Lines back = shown();
    EXPECT_EQ(
        std::count(back.begin(), back.end(), "*** Back in #FCST: sending 4 lines said while away."),
        1);
    listen(10000);
    receive(":FCST!~fcst@h PART #FCST\r\n");  // the operator's own /PART
    say(9, 9);
    EXPECT_EQ(app.irc.held.size(), 1u);
    receive(":FCST!~fcst@h JOIN :#FCST\r\n");
    say(10, 14);
    socket().peerClose();  // the lines still queued wait for the next connection
    say(15, 15);
    listen(11000);
    EXPECT_EQ(app.irc.held.size(), 3u);
    socket().accept();
    receive(":irc.test 001 FCST :Hi\r\n:irc.test 376 FCST :End\r\n:FCST!~fcst@h JOIN #FCST\r\n");
    listen(10000);
    EXPECT_EQ(heard, (Lines{"1", "2", "3", "4", "[12:00:10] 5", "[12:00:10] 6", "[12:00:10] 7", "8",
                            "9", "10", "11", "12", "13", "14", "15"}));

    socket().peerClose();
    say(16, 17);
    app.settings.reportToIrc = false;  // switched off: nothing is said, kept or said late
    say(18, 18);
    listen(21000);
    socket().accept();
    shown();
    receive(":irc.test 376 FCST :End\r\n:FCST!~fcst@h JOIN #FCST\r\n");
    listen(10000);
    EXPECT_EQ(shown().back(), "*** Dropped 2 report lines not yet said.");
    EXPECT_EQ(heard.size(), 15u);
}

// Whatever ends the wish for a connection drops what waits for the channel, and says how much;
// nothing is kept for later.
TEST_F(IrcBoundsTest, WhatEndsTheConnectionDropsTheLinesWaitingForIt) {
    const std::pair<const char*, std::function<void()>> ends[] = {
        {"Quit IRC", [&] { quitIrc(app); }},
        {"!killyourself", [&] { receive(":boss!~b@h PRIVMSG FCST :!killyourself\r\n"); }},
        {"closing", [&] { sendQuitLine(app); }},
        {"lost, not dialled again", [&] { socket().peerClose(); }},
        {"TLS failed", [&] { socket().failTls("self-signed certificate"); }},
        {"every nick taken",
         [&] {
             for (int i = 0; i < 11; ++i) receive(":irc.test 433 * FCST :Nickname in use\r\n");
         }},
    };
    app.settings.killAllowedFrom = "boss";
    app.settings.ircReconnect = false;
    for (const auto& [name, end] : ends) {
        SCOPED_TRACE(name);
        connect();  // not yet in the channel
        sayInChannel(app, "#FCST", "begin", ReportKind::Essential);
        sayInChannel(app, "#FCST", "score", ReportKind::Periodic);
        end();
        const Lines told = shown();
        EXPECT_EQ(std::count(told.begin(), told.end(), "*** Dropped 2 report lines not yet said."),
                  1);
        sayInChannel(app, "#FCST", "after");
        EXPECT_TRUE(app.irc.held.empty());
    }
}

// At most 200 lines wait for the channel. Of periodic reports only the newest waits; past the
// bound the oldest periodic and Interp lines go first, then the other lines, and a begin, capture
// or final score only when nothing else is left. Lines are named by the order they were said in.
struct Burst {
    ReportKind kind;
    int count;
};
struct HoldCase {
    const char* name;
    std::vector<Burst> said;
    std::vector<std::pair<int, int>> leaving;  // runs of the lines that leave, first to last
};
class HoldBound : public IrcTest, public ::testing::WithParamInterface<HoldCase> {};

TEST_P(HoldBound, DropsTheLeastWorthFirst) {
    using enum ReportKind;
    connect();  // registering: not yet in the channel
    int n = 0;
    for (const Burst& b : GetParam().said)
        for (int i = 0; i < b.count; ++i) sayInChannel(app, "#FCST", std::to_string(n++), b.kind);
    Lines expected;
    for (const auto& [first, last] : GetParam().leaving)
        for (int i = first; i <= last; ++i)
            expected.push_back("PRIVMSG #FCST :" + std::to_string(i));
    const int dropped = n - static_cast<int>(expected.size());
    const int told = static_cast<int>(std::count(
        output.begin(), output.end(),
        "*** More than 200 lines wait for the channel: the oldest score reports and Interp lines "
        "are dropped."));
    EXPECT_EQ(told, n > 200 ? 1 : 0);
    receive(":FCST!~fcst@h JOIN :#FCST\r\n");
    EXPECT_EQ(sent(), expected);
    EXPECT_EQ(output.at(output.size() - expected.size() - 1),
              "*** Back in #FCST: sending " + std::to_string(expected.size()) +
                  " lines said while away" +
                  (n > 200 ? " (" + std::to_string(dropped) + " dropped)." : "."));
}

using enum ReportKind;
INSTANTIATE_TEST_SUITE_P(
    Away, HoldBound,
    ::testing::Values(
        HoldCase{"only the newest periodic report waits",
                 {{Periodic, 3}, {Event, 1}, {Periodic, 2}},
                 {{3, 3}, {5, 5}}},
        HoldCase{"Interp and periodic lines go first",
                 {{Periodic, 1}, {Interp, 30}, {Essential, 150}, {Interp, 30}},
                 {{11, 210}}},
        HoldCase{"then the other lines, never a capture before them",
                 {{Essential, 10}, {Event, 20}, {Essential, 170}, {Interp, 1}, {Essential, 10}},
                 {{0, 9}, {20, 199}, {201, 210}}},
        HoldCase{
            "captures alone: the bound holds, the oldest goes", {{Essential, 201}}, {{1, 200}}}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

}  // namespace
}  // namespace fc::test
