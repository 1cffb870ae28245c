// Connecting, registering, staying connected and joining the channel, with the test as the
// server; the receive loop's cutting of lines and its refusal of what cannot be read; the
// operator's console: channel events, the nick list and the input line.
#include "irc_fixture.h"

namespace fc::test {
namespace {

using namespace std::string_literals;
const std::string kUser = R"(USER fcst "testhost" "127.0.0.1" :Orvexa 1.33)";

// The fields lock at connect; the status follows the connection every fifth of a second.
TEST_F(IrcTest, ConnectLocksTheFieldsAndRegistersOnceAcceptedTheStatusFollowing) {
    app.settings.ircServer = " irc.example.net  Example network";
    app.settings.ircPort = "6668";
    app.settings.ircName = "Bot7";
    app.settings.channelEntry = "#match";
    app.settings.ircReconnect = false;
    EXPECT_EQ(locks() + app.irc.ircStatus, "11110Not connected");
    connectIrc(app);
    EXPECT_EQ(socket().host + ":" + std::to_string(socket().port), "irc.example.net:6668");
    EXPECT_EQ(app.irc.botNick + " " + app.irc.botChannel, "Bot7 #match");
    EXPECT_EQ(locks(), "00001");
    platform.advance(200);
    EXPECT_EQ(app.irc.ircStatus, "Connecting...");
    app.settings.ircName = "Renamed";  // the copy taken at connect time stays in use
    socket().accept();
    expect({"NICK Bot7", kUser}, {"*** Connected to server, waiting for reply..."});
    EXPECT_TRUE(app.pongTimer->enabled());
    platform.advance(200);
    EXPECT_EQ(app.irc.ircStatus, "Connected!");
    socket().peerClose();  // gone without reconnect: the fields stay locked
    platform.advance(200);
    EXPECT_EQ(socket().state(), SocketState::Closed);
    EXPECT_EQ(locks() + app.irc.ircStatus, "00001Not connected");
    connectIrc(app);
    socket().fail();
    platform.advance(200);
    EXPECT_EQ(app.irc.ircStatus, "Server or hostname not found");
    expect({});
}

TEST_F(IrcTest, APortThatIsNoNumberFrom1To65535IsReportedAndNothingIsLocked) {
    for (const std::string port : {"six", "0", "70000", ""}) {
        SCOPED_TRACE(port);
        app.settings.ircPort = port;
        connectIrc(app);
        expect({},
               {"*** Cannot connect: the port \"" + port + "\" is not a number from 1 to 65535."});
        EXPECT_EQ(socket().state(), SocketState::Closed);
        EXPECT_EQ(locks(), "11110");
    }
}

TEST_F(IrcTest, ServerLinesAreAnsweredAndShown) {
    app.settings.channelKey = "s3cret";
    app.settings.ircName = "Caster";
    app.settings.channelEntry = "#war";
    connect();
    app.irc.channelNicks = {"stale"};
    app.antiBanTimer->setEnabled(true);
    line("PING :7A3F21");
    expect({"PONG :7A3F21"}, {"PONG!"});
    receive(":irc.test 375 Caster :- motd\r\n:irc.test 376 Caster :End of MOTD command\r\n");
    expect({"MODE Caster +i", "JOIN #war s3cret"});
    line(":Caster!~c@host JOIN :#war");
    expect({}, {"*** You have joined: #war ***"});
    EXPECT_TRUE(app.irc.channelNicks.empty());
    EXPECT_FALSE(app.antiBanTimer->enabled());
    receive(
        ":irc.test 332 Caster #war :Clan war tonight\r\n:irc.test 333 Caster #war op 17000\r\n"
        ":irc.test 353 Caster = #war :@op +voiced Caster \r\n"
        ":irc.test 353 Caster = #war :late1 late2\r\n:irc.test 366 Caster #war :End\r\n");
    expect({}, {"* TOPIC: Clan war tonight"});
    line(":op!~op@host KICK #war Other :bye");
    line(":op!~op@host KICK #war Caster :bye");
    expect({"JOIN #war s3cret"});
    line(":irc.test 474 Someone #war :Cannot join channel (+b)");  // no retries for another
    EXPECT_FALSE(app.antiBanTimer->enabled());
    receive(":irc.test NOTICE Caster :*** notice\r\n:irc.test 251 Caster :There are 2 users\r\n");
    // Lines cut across reads; an LF alone ends a line too, a CR alone does not.
    for (const char* part :
         {"PING :12", "34\r", "\nPING :5\n", ":irc.test 332 Caster #war :War at\r", " nine\r\n"})
        receive(part);
    expect({"PONG :1234", "PONG :5"}, {"PONG!", "PONG!", "* TOPIC: War at"});
    receive(
        ":nothing-after-the-prefix\r\n\001\002garbage!\r\n:a!b@c PRIV\0MSG x :y\r\n\r\n"
        "PING :after\r\n"s);
    expect({"PONG :after"},
           {"*** Unreadable line from server: :nothing-after-the-prefix",
            R"(*** Unreadable line from server: \x01\x02garbage!)",
            R"(*** Unreadable line from server: :a!b@c PRIV\x00MSG x :y)", "PONG!"});
    EXPECT_EQ(app.irc.ircTopic, "War at");
    EXPECT_EQ(app.irc.channelNicks, (Lines{"@op", "+voiced", "Caster"}));
}

// Somebody else whose nick only begins with the bot's joins: the bot is still out (banned).
TEST_F(IrcTest, ANickThatBeginsWithTheBotsIsSomebodyElsesJoin) {
    app.settings.greetOnJoin = false;
    joinChannel();
    app.antiBanTimer->setEnabled(true);
    line(":FCST2!~x@host JOIN :#FCST");
    expect({}, {"* JOIN: FCST2"});
    EXPECT_EQ(app.irc.channelNicks, Lines{"FCST2"});
    EXPECT_TRUE(app.antiBanTimer->enabled());
}

TEST_F(IrcTest, APingIsAnsweredAtOnceAndOnceMoreByTheSecondPong) {
    connect();
    platform.advance(3000);  // no PING seen yet: the second PONG waits
    line("PING :7A3F21");
    expect({"PONG :7A3F21"}, {"PONG!"});
    platform.advance(1000);
    expect({"PONG :7A3F21"});
    EXPECT_FALSE(app.pongTimer->enabled());
    platform.advance(5000);
    expect({});
}

TEST_F(IrcTest, ABanStartsRetriesEveryTenSecondsUntilTheBotIsIn) {
    connect();
    line(":irc.test 474 fcst #FCST :Cannot join channel (+b)");
    EXPECT_TRUE(app.antiBanTimer->enabled());
    platform.advance(9999);
    expect({});
    for (int ms : {1, 10000}) {
        platform.advance(ms);
        expect({"JOIN #FCST "});
    }
    line(":FCST!~fcst@host JOIN :#FCST");
    platform.advance(30000);
    expect({}, {"*** You have joined: #FCST ***"});
    app.settings.channelKey =
        "";  // the key is read when joining, and an empty one leaves its blank
    joinAChannel(app, "#other");
    expect({"JOIN #other "});
}

TEST_F(IrcTest, TheStatusShowsTheMatchStateEveryFifthOfASecond) {
    const std::tuple<MatchState, const char*, const char*> rows[] = {
        {MatchState::Running, "Yes", "Stop it!"},
        {MatchState::Ready, "Ready to start", "Skip this match"},
        {MatchState::Skip, "No (Skipped)", "Set: 'Ready to start'"},
        {MatchState::None, "No", "Start it!"}};
    for (const auto& [state, text, button] : rows) {
        SCOPED_TRACE(text);
        app.window.matchButtonEnabled = false;
        app.match.matchState = state;
        platform.advance(200);
        EXPECT_EQ(app.match.matchStateText + " / " + app.match.matchButton, text + " / "s + button);
        EXPECT_TRUE(app.window.matchButtonEnabled);
    }
}

TEST_F(IrcTest, QuitSaysGoodbyeClosesAndUnlocks) {
    joinChannel();
    app.irc.ircTopic = "topic";
    for (const Lines& goodbye : {Lines{kQuit}, Lines{}}) {  // not connected: nothing to say
        quitIrc(app);
        expect(goodbye, {"*** DISCONNECTED! ***"});
        EXPECT_EQ(socket().state(), SocketState::Closed);
        EXPECT_EQ(app.irc.ircTopic, "");
        EXPECT_EQ(locks(), "11110");
    }
}

TEST_F(IrcTest, TheRawDisplayShowsEachReadAsItCame) {
    app.settings.showRawText = true;
    connect();
    receive(":irc.test 001 FCST :Welcome\r\n:irc.te");
    expect({}, {":irc.test 001 FCST :Welcome\r\n:irc.te"});
}

TEST_F(IrcTest, ChannelEventsAreShownAndKeepTheNickList) {
    app.settings.greetOnJoin = false;
    joinChannel();
    app.irc.channelNicks = {"@op", "joe", "ann", "joe"};
    line(":ann!~a@host PRIVMSG #FCST :hello \002all\002");
    line(":joe!~j@host QUIT :Ping timeout");
    line(":new!~n@host JOIN :#FCST");
    EXPECT_EQ(app.irc.channelNicks, (Lines{"@op", "ann", "joe", "new"}));
    line(":op!~o@host PART #FCST");
    line(":op!~o@host TOPIC #FCST :Final: =RC= vs [B]");
    line(":op!~o@host MODE #FCST +o ann");
    expect({}, {"<ann> hello \002all\002", "* LEFT: joe (QUIT)", "* JOIN: new", "* LEFT: op (PART)",
                "* TOPIC: Final: =RC= vs [B] (set by op)", "* MODE: +o ann"});
    EXPECT_EQ(app.irc.ircTopic, "Final: =RC= vs [B]");
    EXPECT_TRUE(app.irc.channelNicks.empty());
}

// The nick list holds "op" as "@op": the one who parts leaves it all the same.
TEST_F(IrcTest, AnOperatorWhoPartsLeavesTheNickList) {
    joinChannel();
    app.irc.channelNicks = {"@op", "ann"};
    line(":op!~o@host PART #FCST");
    EXPECT_EQ(app.irc.channelNicks, Lines{"ann"});
}

TEST_F(IrcTest, TypedChatIsSaidSlashLinesGoRawButANickChangeIsRefused) {
    joinChannel();
    const Lines refused = {std::string(51, '*'),
                           "** DO NOT CHANGE YOUR NICK WHILE IN IRC SESSION! **",
                           std::string(51, '*')};
    type("gl hf");
    expect({"PRIVMSG #FCST :gl hf"}, {"<FCST> gl hf"}, {"gl hf"});
    EXPECT_EQ(app.irc.ircInputLine, "");
    type("/PRIVMSG joe :psst");  // not echoed
    expect({"PRIVMSG joe :psst"});
    for (const char* nick : {"/nick Other", "/NiCkServ identify"}) {  // the four letters count
        type(nick);
        expect({}, refused);
    }
    app.settings.reportToIrc = false;
    type("unheard");
    quitIrc(app);
    expect({kQuit}, {"*** DISCONNECTED! ***"}, {"unheard"});
    type("/JOIN #elsewhere");
    expect({}, {"*** Not connected: \"/JOIN #elsewhere\" was not sent."});
}

}  // namespace
}  // namespace fc::test
