// Connecting, registering, staying connected and joining the channel, with the test as the
// server; the receive loop's cutting of lines and its refusal of what cannot be read.
#include "irc/irc_line.h"
#include "irc_fixture.h"

namespace fc::test {
namespace {

using namespace std::string_literals;

using IrcConnectionTest = IrcTest;

TEST_F(IrcConnectionTest, ConnectLocksTheFieldsAndRegistersOnceAccepted) {
    view().IRCServer = " irc.example.net  Example network";
    view().IRCPort = "6668";
    view().ircName = "Bot7";
    view().txtstdKanaal = "#match";
    ConnectIrc(app);

    EXPECT_EQ(socket().host, "irc.example.net");
    EXPECT_EQ(socket().port, 6668);
    EXPECT_EQ(view().botNick, "Bot7");
    EXPECT_EQ(view().botChannel, "#match");
    EXPECT_FALSE(view().IRCServerEnabled);
    EXPECT_FALSE(view().txtstdKanaalEnabled);
    EXPECT_FALSE(view().ircNameEnabled);
    EXPECT_FALSE(view().Command3Enabled);
    EXPECT_TRUE(view().Command1Enabled);
    EXPECT_TRUE(sent().empty());

    view().ircName = "Renamed";  // the copy taken at connect time stays in use
    socket().accept();
    EXPECT_EQ(sent(), (Lines{"NICK Bot7", "USER fcst \"testhost\" \"127.0.0.1\" :Orvexa 1.33"}));
    EXPECT_EQ(shown(), (Lines{"*** Connected to server, waiting for reply..."}));
    EXPECT_TRUE(app.Timer2->enabled());
}

TEST_F(IrcConnectionTest, APortThatIsNoPortIsReportedAndNothingIsLocked) {
    for (const char* port : {"six", "0", "70000", ""}) {
        view().IRCPort = port;
        ConnectIrc(app);
        EXPECT_EQ(socket().state(), SocketState::Closed) << port;
        EXPECT_TRUE(view().Command3Enabled) << port;
        const Lines lines = shown();
        ASSERT_EQ(lines.size(), 1u) << port;
        EXPECT_NE(lines[0].find("is not a number from 1 to 65535"), std::string::npos);
    }
}

TEST_F(IrcConnectionTest, PingIsAnsweredAtOnceAndOnceMoreBySecondPong) {
    connect();
    platform.advance(3000);  // no PING seen yet: the second PONG waits
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(app.Timer2->enabled());

    receive("PING :7A3F21\r\n");
    EXPECT_EQ(sent(), (Lines{"PONG :7A3F21"}));
    EXPECT_EQ(shown(), (Lines{"PONG!"}));
    platform.advance(1000);
    EXPECT_EQ(sent(), (Lines{"PONG :7A3F21"}));
    EXPECT_FALSE(app.Timer2->enabled());
    platform.advance(5000);
    EXPECT_TRUE(sent().empty());
}

TEST_F(IrcConnectionTest, EndOfWelcomeSetsInvisibleAndJoinsWithTheKey) {
    view().IRCKey = "s3cret";
    connect();
    receive(":irc.test 375 FCST :- motd\r\n:irc.test 376 FCST :End of MOTD command\r\n");
    EXPECT_EQ(sent(), (Lines{"MODE FCST +i", "JOIN #FCST s3cret"}));

    view().IRCKey.clear();  // the key is read when joining, and an empty one leaves its blank
    JoinAChannel(app, "#other");
    EXPECT_EQ(sent(), (Lines{"JOIN #other "}));
}

TEST_F(IrcConnectionTest, OwnJoinIsAnnouncedAndResetsTheNickList) {
    connect();
    view().ircLijst = {"stale"};
    app.AntiBanTimer->setEnabled(true);
    receive(":FCST!~fcst@host JOIN :#FCST\r\n");
    EXPECT_EQ(shown(), (Lines{"*** You have joined: #FCST ***"}));
    EXPECT_FALSE(app.AntiBanTimer->enabled());
    EXPECT_TRUE(view().ircLijst.empty());

    // Only the start of the line is compared, so a nick that begins with the bot's counts too.
    receive(":FCST2!~x@host JOIN :#FCST\r\n");
    EXPECT_EQ(shown(), (Lines{"*** You have joined: #FCST ***"}));
}

TEST_F(IrcConnectionTest, BanStartsRetriesEveryTenSecondsUntilTheBotIsIn) {
    connect();
    receive(":irc.test 474 Someone #FCST :Cannot join channel (+b)\r\n");
    EXPECT_FALSE(app.AntiBanTimer->enabled());
    receive(":irc.test 474 fcst #FCST :Cannot join channel (+b)\r\n");
    ASSERT_TRUE(app.AntiBanTimer->enabled());

    platform.advance(9999);
    EXPECT_TRUE(sent().empty());
    platform.advance(1);
    EXPECT_EQ(sent(), (Lines{"JOIN #FCST "}));
    platform.advance(10000);
    EXPECT_EQ(sent(), (Lines{"JOIN #FCST "}));
    receive(":FCST!~fcst@host JOIN :#FCST\r\n");
    platform.advance(30000);
    EXPECT_TRUE(sent().empty());
}

TEST_F(IrcConnectionTest, KickOfTheBotRejoinsAtOnce) {
    view().ircName = "Caster";
    view().txtstdKanaal = "#war";
    connect();
    receive(":op!~op@host KICK #war Other :bye\r\n");
    EXPECT_TRUE(sent().empty());
    receive(":op!~op@host KICK #war Caster :bye\r\n");
    EXPECT_EQ(sent(), (Lines{"JOIN #war "}));
}

TEST_F(IrcConnectionTest, TopicAndNamesAfterJoiningFillTheirFields) {
    connect();
    receive(
        ":irc.test 332 FCST #FCST :Clan war tonight\r\n"
        ":irc.test 333 FCST #FCST op 1700000000\r\n"
        ":irc.test 353 FCST = #FCST :@op +voiced FCST \r\n"
        ":irc.test 353 FCST = #FCST :late1 late2\r\n"
        ":irc.test 366 FCST #FCST :End of NAMES list\r\n");
    EXPECT_EQ(view().IRCTopic, "Clan war tonight");
    EXPECT_EQ(shown(), (Lines{"* TOPIC: Clan war tonight"}));
    EXPECT_EQ(view().ircLijst, (Lines{"@op", "+voiced", "FCST"}));
}

TEST_F(IrcConnectionTest, StatusRefreshShowsTheConnectionStateEveryFifthOfASecond) {
    view().IRCReconnect = false;
    EXPECT_EQ(view().IRCStat, "Not connected");
    ConnectIrc(app);
    platform.advance(200);
    EXPECT_EQ(view().IRCStat, "Connecting...");
    socket().accept();
    platform.advance(200);
    EXPECT_EQ(view().IRCStat, "Connected!");

    ConnectIrc(app);
    socket().fail();
    platform.advance(200);
    EXPECT_EQ(view().IRCStat, "Server or hostname not found");

    EXPECT_EQ(IrcStatusText(SocketState::ResolvingHost), "Searching hostname...");
    EXPECT_EQ(IrcStatusText(SocketState::Closing), "Disconnected");
    EXPECT_EQ(IrcStatusText(SocketState::HostResolved), "Unkown error:  5!");
    EXPECT_EQ(IrcStatusText(SocketState::Open), "Unkown error:  1!");
}

TEST_F(IrcConnectionTest, ServerGoingAwayWithoutReconnectShowsNotConnectedAndKeepsFieldsLocked) {
    view().IRCReconnect = false;
    joinChannel();
    socket().peerClose();
    platform.advance(200);
    EXPECT_EQ(socket().state(), SocketState::Closed);
    EXPECT_EQ(view().IRCStat, "Not connected");
    EXPECT_FALSE(view().Command3Enabled);
    EXPECT_TRUE(view().Command1Enabled);
}

TEST_F(IrcConnectionTest, StatusRefreshShowsTheMatchState) {
    const char* labels[] = {"No", "Yes", "Ready to start", "No (Skipped)"};
    const char* buttons[] = {"Start it!", "Stop it!", "Skip this match", "Set: 'Ready to start'"};
    for (int state = 0; state < 4; ++state) {
        view().matchState = static_cast<MatchState>(state);
        view().Command2Enabled = false;
        platform.advance(200);
        EXPECT_EQ(view().qsMatchState, labels[state]);
        EXPECT_EQ(view().Command2, buttons[state]);
        EXPECT_TRUE(view().Command2Enabled);
    }
}

TEST_F(IrcConnectionTest, QuitSaysGoodbyeClosesAndUnlocks) {
    joinChannel();
    view().IRCTopic = "topic";
    QuitIrc(app);
    EXPECT_EQ(sent(), (Lines{"QUIT :\x02"
                             "Fragcaster - Version 1.33 - " +
                             std::string(kWebPage) + "\x02"}));
    EXPECT_EQ(platform.yields, 1);
    EXPECT_EQ(socket().state(), SocketState::Closed);
    EXPECT_EQ(view().IRCTopic, "");
    EXPECT_EQ(shown(), (Lines{"*** DISCONNECTED! ***"}));
    EXPECT_TRUE(view().Command3Enabled);
    EXPECT_FALSE(view().Command1Enabled);

    QuitIrc(app);  // not connected: nothing to say, the fields are unlocked all the same
    EXPECT_TRUE(sent().empty());
}

TEST_F(IrcConnectionTest, LinesSplitAcrossReadsAreCompletedNotLost) {
    connect();
    receive("PING :12");
    EXPECT_TRUE(sent().empty());
    receive("34\r");
    receive("\nPING :5\n");  // an LF alone ends a line too
    EXPECT_EQ(sent(), (Lines{"PONG :1234", "PONG :5"}));

    receive(":irc.test 332 FCST #FCST :War at\r");  // a CR alone does not end a line
    EXPECT_EQ(view().IRCTopic, "Not connected");
    receive(" nine\r\n");
    EXPECT_EQ(view().IRCTopic, "War at");
}

TEST_F(IrcConnectionTest, UnreadableLinesAreShownAndTheRestOfTheReadStillCounts) {
    connect();
    receive(
        ":nothing-after-the-prefix\r\n\x01\x02garbage!\r\n:a!b@c PRIV\0MSG x :y\r\n"
        "\r\nPING :after\r\n"s);
    EXPECT_EQ(shown(),
              (Lines{"*** Unreadable line from server: :nothing-after-the-prefix",
                     "*** Unreadable line from server: \\x01\\x02garbage!",
                     "*** Unreadable line from server: :a!b@c PRIV\\x00MSG x :y", "PONG!"}));
    EXPECT_EQ(sent(), (Lines{"PONG :after"}));
}

TEST_F(IrcConnectionTest, ALineThatNeverEndsIsDroppedNotHoarded) {
    connect();
    receive(":irc.test NOTICE FCST :" + std::string(kLongestIrcLine, 'x'));
    const Lines lines = shown();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("*** Line from server longer than 16384 bytes dropped: :irc", 0), 0u);
    EXPECT_TRUE(app.irc.partialLine.empty());

    receive(std::string(100000, 'y') + "PING :tail\r\nPING :next\r\n");  // the rest is passed over
    EXPECT_EQ(sent(), (Lines{"PONG :next"}));
}

TEST_F(IrcConnectionTest, RawDisplayShowsEachReadAsItCame) {
    view().debugAU = true;
    connect();
    receive(":irc.test 001 FCST :Welcome\r\n:irc.te");
    EXPECT_EQ(shown(), (Lines{":irc.test 001 FCST :Welcome\r\n:irc.te"}));
    EXPECT_EQ(view().Text1.substr(view().Text1.size() - 7), ":irc.te");
}

// Sender, command and parameters, joined by "|"; the "!" in a server's text is no nick's end.
TEST(IrcLine, SplitsPrefixCommandAndParams) {
    const std::pair<const char*, const char*> splits[] = {
        {":nick!~u@host PRIVMSG #c :hi! there\r\n", "nick|PRIVMSG|#c :hi! there\r\n"},
        {":irc.test NOTICE FCST :hello!\r\n", "irc.test|NOTICE|FCST :hello!\r\n"},
        {":nick!u@h QUIT\r\n", "nick|QUIT|"},
        {":x", "x||"}};
    for (const auto& [line, parts] : splits) {
        const IrcLine l = SplitIrcLine(line);
        EXPECT_EQ(l.sender + "|" + l.command + "|" + l.params, parts);
    }
    for (const char* line : {":a!b@c 353 x = #y :z", "ERROR :Closing link"})
        EXPECT_TRUE(IsReadableIrcLine(line)) << line;
    for (const char* line : {": PRIVMSG x", ":a 12 x", "PRIV-MSG x"})
        EXPECT_FALSE(IsReadableIrcLine(line)) << line;
}

}  // namespace
}  // namespace fc::test
