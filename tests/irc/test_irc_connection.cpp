// Connecting, registering, staying connected and joining the channel, with the test as the
// server; the receive loop's cutting of lines and its refusal of what cannot be read; the
// operator's console: channel events, the nick list and the input line.
#include "irc/console.h"
#include "irc/irc_line.h"
#include "irc_fixture.h"

namespace fc::test {
namespace {

using namespace std::string_literals;

using IrcConnectionTest = IrcTest;

// The enabled state of the server, channel and nick fields and the connect and quit buttons.
std::vector<bool> Locks(const MainView& v) {
    return {v.IRCServerEnabled, v.txtstdKanaalEnabled, v.ircNameEnabled, v.Command3Enabled,
            v.Command1Enabled};
}
const std::vector<bool> kLocked = {false, false, false, false, true};
const std::vector<bool> kUnlocked = {true, true, true, true, false};

TEST_F(IrcConnectionTest, ConnectLocksTheFieldsAndRegistersOnceAccepted) {
    view.IRCServer = " irc.example.net  Example network";
    view.IRCPort = "6668";
    view.ircName = "Bot7";
    view.txtstdKanaal = "#match";
    EXPECT_EQ(Locks(view), kUnlocked);
    ConnectIrc(app);
    EXPECT_EQ(socket().host + ":" + std::to_string(socket().port), "irc.example.net:6668");
    EXPECT_EQ(view.botNick + " " + view.botChannel, "Bot7 #match");
    EXPECT_EQ(Locks(view), kLocked);
    EXPECT_TRUE(sent().empty());

    view.ircName = "Renamed";  // the copy taken at connect time stays in use
    socket().accept();
    EXPECT_EQ(sent(), (Lines{"NICK Bot7", "USER fcst \"testhost\" \"127.0.0.1\" :Orvexa 1.33"}));
    EXPECT_EQ(shown(), (Lines{"*** Connected to server, waiting for reply..."}));
    EXPECT_TRUE(app.Timer2->enabled());
}

TEST_F(IrcConnectionTest, APortThatIsNoPortIsReportedAndNothingIsLocked) {
    for (const char* port : {"six", "0", "70000", ""}) {
        view.IRCPort = port;
        ConnectIrc(app);
        EXPECT_EQ(socket().state(), SocketState::Closed) << port;
        EXPECT_EQ(Locks(view), kUnlocked) << port;
        EXPECT_EQ(shown(), Lines{"*** Cannot connect: the port \"" + std::string(port) +
                                 "\" is not a number from 1 to 65535."});
    }
}

TEST_F(IrcConnectionTest, ServerLinesAreAnsweredAndShown) {
    view.IRCKey = "s3cret";
    view.ircName = "Caster";
    view.txtstdKanaal = "#war";
    connect();
    view.ircLijst = {"stale"};
    app.AntiBanTimer->setEnabled(true);
    walk({
        {"a PING", {"PING :7A3F21\r\n"}, {"PONG :7A3F21"}, {"PONG!"}},
        {"the end of the welcome",
         {":irc.test 375 Caster :- motd\r\n:irc.test 376 Caster :End of MOTD command\r\n"},
         {"MODE Caster +i", "JOIN #war s3cret"},
         {}},
        {"the bot's own join",
         {":Caster!~c@host JOIN :#war\r\n"},
         {},
         {"*** You have joined: #war ***"}},
        // Only the start of the line is compared, so a nick that begins with the bot's counts.
        {"a longer nick's join",
         {":Caster2!~x@host JOIN :#war\r\n"},
         {},
         {"*** You have joined: #war ***"}},
    });
    EXPECT_TRUE(view.ircLijst.empty());
    EXPECT_FALSE(app.AntiBanTimer->enabled());
    walk({
        {"topic and names",
         {":irc.test 332 Caster #war :Clan war tonight\r\n:irc.test 333 Caster #war op 17000\r\n"
          ":irc.test 353 Caster = #war :@op +voiced Caster \r\n"
          ":irc.test 353 Caster = #war :late1 late2\r\n:irc.test 366 Caster #war :End\r\n"},
         {},
         {"* TOPIC: Clan war tonight"}},
        {"a kick of another", {":op!~op@host KICK #war Other :bye\r\n"}, {}, {}},
        {"a kick of the bot", {":op!~op@host KICK #war Caster :bye\r\n"}, {"JOIN #war s3cret"}, {}},
        {"a ban of another", {":irc.test 474 Someone #war :Cannot join channel (+b)\r\n"}, {}, {}},
        {"notices and other numerics",
         {":irc.test NOTICE Caster :*** notice\r\n:irc.test 251 Caster :There are 2 users\r\n"},
         {},
         {}},
        // An LF alone ends a line too, a CR alone does not.
        {"lines cut across reads",
         {"PING :12", "34\r", "\nPING :5\n", ":irc.test 332 Caster #war :War at\r", " nine\r\n"},
         {"PONG :1234", "PONG :5"},
         {"PONG!", "PONG!", "* TOPIC: War at"}},
        {"unreadable lines",
         {":nothing-after-the-prefix\r\n\x01\x02garbage!\r\n:a!b@c PRIV\0MSG x :y\r\n"
          "\r\nPING :after\r\n"s},
         {"PONG :after"},
         {"*** Unreadable line from server: :nothing-after-the-prefix",
          "*** Unreadable line from server: \\x01\\x02garbage!",
          "*** Unreadable line from server: :a!b@c PRIV\\x00MSG x :y", "PONG!"}},
    });
    EXPECT_EQ(view.IRCTopic, "War at");
    EXPECT_EQ(view.ircLijst, (Lines{"@op", "+voiced", "Caster"}));
    EXPECT_FALSE(app.AntiBanTimer->enabled());  // a ban of another starts no retries
}

TEST_F(IrcConnectionTest, PingIsAnsweredAtOnceAndOnceMoreBySecondPong) {
    connect();
    platform.advance(3000);  // no PING seen yet: the second PONG waits
    EXPECT_TRUE(sent().empty());
    receive("PING :7A3F21\r\n");
    EXPECT_EQ(sent(), (Lines{"PONG :7A3F21"}));
    platform.advance(1000);
    EXPECT_EQ(sent(), (Lines{"PONG :7A3F21"}));
    EXPECT_FALSE(app.Timer2->enabled());
    platform.advance(5000);
    EXPECT_TRUE(sent().empty());
}

TEST_F(IrcConnectionTest, BanStartsRetriesEveryTenSecondsUntilTheBotIsIn) {
    connect();
    receive(":irc.test 474 fcst #FCST :Cannot join channel (+b)\r\n");
    ASSERT_TRUE(app.AntiBanTimer->enabled());
    for (const auto& [ms, joins] : {std::pair{9999, 0}, {1, 1}, {10000, 1}}) {
        platform.advance(ms);
        EXPECT_EQ(sent(), joins ? Lines{"JOIN #FCST "} : Lines{}) << ms;
    }
    receive(":FCST!~fcst@host JOIN :#FCST\r\n");
    platform.advance(30000);
    EXPECT_TRUE(sent().empty());
    view.IRCKey.clear();  // the key is read when joining, and an empty one leaves its blank
    JoinAChannel(app, "#other");
    EXPECT_EQ(sent(), (Lines{"JOIN #other "}));
}

TEST_F(IrcConnectionTest, StatusRefreshShowsTheConnectionAndMatchStateEveryFifthOfASecond) {
    view.IRCReconnect = false;
    EXPECT_EQ(view.IRCStat, "Not connected");
    ConnectIrc(app);
    platform.advance(200);
    EXPECT_EQ(view.IRCStat, "Connecting...");
    socket().accept();
    platform.advance(200);
    EXPECT_EQ(view.IRCStat, "Connected!");
    ConnectIrc(app);
    socket().fail();
    platform.advance(200);
    EXPECT_EQ(view.IRCStat, "Server or hostname not found");
    const std::pair<SocketState, const char*> states[] = {
        {SocketState::ResolvingHost, "Searching hostname..."},
        {SocketState::Closing, "Disconnected"},
        {SocketState::HostResolved, "Unkown error:  5!"},
        {SocketState::Open, "Unkown error:  1!"}};
    for (const auto& [state, text] : states) EXPECT_EQ(IrcStatusText(state), text);

    const char* labels[] = {"No", "Yes", "Ready to start", "No (Skipped)"};
    const char* buttons[] = {"Start it!", "Stop it!", "Skip this match", "Set: 'Ready to start'"};
    for (int state = 0; state < 4; ++state) {
        view.matchState = static_cast<MatchState>(state);
        view.Command2Enabled = false;
        platform.advance(200);
        EXPECT_EQ(view.qsMatchState + "|" + view.Command2, labels[state] + "|"s + buttons[state]);
        EXPECT_TRUE(view.Command2Enabled);
    }
}

TEST_F(IrcConnectionTest, ServerGoingAwayWithoutReconnectShowsNotConnectedAndKeepsFieldsLocked) {
    view.IRCReconnect = false;
    joinChannel();
    socket().peerClose();
    platform.advance(200);
    EXPECT_EQ(socket().state(), SocketState::Closed);
    EXPECT_EQ(view.IRCStat, "Not connected");
    EXPECT_EQ(Locks(view), kLocked);
}

TEST_F(IrcConnectionTest, QuitSaysGoodbyeClosesAndUnlocks) {
    joinChannel();
    view.IRCTopic = "topic";
    QuitIrc(app);
    EXPECT_EQ(sent(), Lines{"QUIT :\x02"
                            "Fragcaster - Version 1.33 - https://fragcaster.example.net/\x02"});
    EXPECT_EQ(platform.yields, 1);
    EXPECT_EQ(socket().state(), SocketState::Closed);
    EXPECT_EQ(view.IRCTopic, "");
    EXPECT_EQ(shown(), (Lines{"*** DISCONNECTED! ***"}));
    EXPECT_EQ(Locks(view), kUnlocked);
    QuitIrc(app);  // not connected: nothing to say, the fields are unlocked all the same
    EXPECT_TRUE(sent().empty());
}

TEST_F(IrcConnectionTest, ALineThatNeverEndsIsDroppedNotHoarded) {
    connect();
    receive(":irc.test NOTICE FCST :" + std::string(16384, 'x'));
    const Lines lines = shown();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("*** Line from server longer than 16384 bytes dropped: :irc", 0), 0u);
    EXPECT_TRUE(app.irc.partialLine.empty());
    receive(std::string(100000, 'y') + "PING :tail\r\nPING :next\r\n");  // the rest is passed over
    EXPECT_EQ(sent(), (Lines{"PONG :next"}));
}

TEST_F(IrcConnectionTest, RawDisplayShowsEachReadAsItCame) {
    view.debugAU = true;
    connect();
    receive(":irc.test 001 FCST :Welcome\r\n:irc.te");
    EXPECT_EQ(shown(), (Lines{":irc.test 001 FCST :Welcome\r\n:irc.te"}));
    EXPECT_EQ(view.Text1.substr(view.Text1.size() - 7), ":irc.te");
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
        const IrcLine l = SplitIrcLine(line);
        EXPECT_EQ(l.sender + "|" + l.command + "|" + l.params, parts);
    }
    for (const char* line : {":a!b@c 353 x = #y :z", "ERROR :Closing link"})
        EXPECT_TRUE(IsReadableIrcLine(line)) << line;
    for (const char* line : {": PRIVMSG x", ":a 12 x", "PRIV-MSG x"})
        EXPECT_FALSE(IsReadableIrcLine(line)) << line;
}

class ConsoleTest : public IrcTest {
protected:
    void SetUp() override {
        joinChannel();
        view.IRConjoin = false;
        view.ircLijst = {"@op", "joe", "ann", "joe"};
    }
    void type(const std::string& text) {
        view.ircZegwat = text;
        OnIrcInputEnter(app);
    }
};

TEST_F(ConsoleTest, ChannelEventsAreShownAndKeepTheNickList) {
    walk({{"chat",
           {":ann!~a@host PRIVMSG #FCST :hello \x02all\x02\r\n"},
           {},
           {"<ann> hello \x02all\x02"}},
          {"quit", {":joe!~j@host QUIT :Ping timeout\r\n"}, {}, {"* LEFT: joe (QUIT)"}},
          {"part", {":op!~o@host PART #FCST\r\n"}, {}, {"* LEFT: op (PART)"}},
          {"join", {":new!~n@host JOIN :#FCST\r\n"}, {}, {"* JOIN: new"}}});
    EXPECT_EQ(view.ircLijst, (Lines{"@op", "ann", "joe", "new"}));  // "op" is listed as "@op"
    walk({{"topic",
           {":op!~o@host TOPIC #FCST :Final: =RC= vs [B]\r\n"},
           {},
           {"* TOPIC: Final: =RC= vs [B] (set by op)"}},
          {"mode", {":op!~o@host MODE #FCST +o ann\r\n"}, {}, {"* MODE: +o ann"}}});
    EXPECT_EQ(view.IRCTopic, "Final: =RC= vs [B]");
    EXPECT_TRUE(view.ircLijst.empty());
}

TEST_F(ConsoleTest, TypedChatIsSaidSlashLinesGoRawButANickChangeIsRefused) {
    type("gl hf");
    EXPECT_EQ(sent(), (Lines{"PRIVMSG #FCST :gl hf"}));
    EXPECT_EQ(shown(), (Lines{"<FCST> gl hf"}));
    EXPECT_EQ(view.ircZegwat, "");
    type("/PRIVMSG joe :psst");
    EXPECT_EQ(sent(), (Lines{"PRIVMSG joe :psst"}));
    EXPECT_TRUE(shown().empty());  // not echoed

    const Lines warning = {std::string(51, '*'),
                           "** DO NOT CHANGE YOUR NICK WHILE IN IRC SESSION! **",
                           std::string(51, '*')};
    type("/nick Other");
    EXPECT_EQ(shown(), warning);
    type("/NiCkServ identify");  // only the four letters after the slash count
    EXPECT_EQ(shown(), warning);
    EXPECT_TRUE(sent().empty());

    view.ReportToIrc = false;
    type("unheard");
    QuitIrc(app);
    sent(), shown();
    type("/JOIN #elsewhere");
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(shown(), (Lines{"*** Not connected: \"/JOIN #elsewhere\" was not sent."}));
}

}  // namespace
}  // namespace fc::test
