// What real networks ask of the bot, on the virtual clock: the send queue's pace and order,
// reconnecting with backoff, the nicks tried when one is in use, and numerics that count only
// from the server.
#include "irc/send_queue.h"
#include "irc_fixture.h"

namespace fc::test {
namespace {

class RealNetworkTest : public IrcTest {
protected:
    // Paced as the settings' defaults: 4 at once, then one per 2 s.
    void SetUp() override { view.IRCLineGapMs = "2000"; }
    void ask(const std::string& nick, const std::string& text) {
        receive(":" + nick + "!u@h PRIVMSG FCST :" + text + "\r\n");
    }
    void say(const std::string& text) { stuurMSG(app, "#FCST", text); }
    // How many lines left the bot over `ms` milliseconds.
    std::size_t sentWithin(int ms) {
        platform.advance(ms);
        return sent().size();
    }
};

TEST_F(RealNetworkTest, FourLinesLeaveAtOnceThenOnePerGap) {
    joinChannel();
    platform.advance(10000);  // a full burst again
    ask("joe", "!helpme");    // six notices
    EXPECT_EQ(sent().size(), 4u);
    for (const auto& [ms, lines] : {std::pair{1999, 0u}, {1, 1u}, {1999, 0u}, {1, 1u}, {4000, 0u}})
        EXPECT_EQ(sentWithin(ms), lines) << ms;
}

TEST_F(RealNetworkTest, PaceSettingsAsTypedOrTheirDefaults) {
    const struct {
        const char* typed;
        int burst, gap;
    } cases[] = {{"", 4, 2000}, {"fast", 4, 2000}, {"0", 1, 0}, {" 7 lines", 7, 7}};
    for (const auto& c : cases) {
        view.IRCBurst = view.IRCLineGapMs = c.typed;
        EXPECT_EQ(BurstLines(app), c.burst) << c.typed;
        EXPECT_EQ(LineGapMs(app), c.gap) << c.typed;
    }
}

TEST_F(RealNetworkTest, PongFirstThenReportLinesThenNoticesAndQuitAtOnce) {
    joinChannel();
    platform.advance(10000);
    app.Timer2->setEnabled(false);  // the second PONG is not this test's matter
    view.spelerLijst.assign(64, PlayerRow{"player", "1", "50", "Red", RowColour::Red});
    ask("joe", "!players");  // 22 notices: 4 leave, 18 wait
    sent();
    say("capture!");
    receive("PING :tok\r\n");
    platform.advance(2000);
    platform.advance(2000);
    EXPECT_EQ(sent(), (Lines{"PONG :tok", "PRIVMSG #FCST :capture!"}));
    // The echo shows the report line when it left, not when it was said.
    EXPECT_EQ(output.back(), "<FCST> capture!");

    QuitIrc(app);
    EXPECT_EQ(sent().size(), 1u);  // the QUIT, and the waiting notices are dropped
    EXPECT_EQ(app.irc.queue.size(), 0u);
}

TEST_F(RealNetworkTest, TheQueueKeepsItsBoundByDroppingNoticesNeverReports) {
    joinChannel();
    view.spelerLijst.assign(64, PlayerRow{"p", "1", "5", "Blue", RowColour::Blue});
    for (int i = 0; i < 20; ++i) ask("n" + std::to_string(i), "!players");
    say("report");
    for (int i = 20; i < 30; ++i) ask("n" + std::to_string(i), "!players");
    EXPECT_EQ(app.irc.queue.size(), 200u);
    EXPECT_EQ(app.irc.queue.main.size(), 1u);
    int told = 0;
    for (const std::string& line : shown()) told += line.rfind("*** Send queue full", 0) == 0;
    EXPECT_EQ(told, 1);
    sent();
    EXPECT_EQ(sentWithin(2000), 1u);
    EXPECT_EQ(app.irc.queue.main.size(), 0u);  // the report line left first
}

TEST_F(RealNetworkTest, FloodsOfPingsOrReportLinesStayWithinTheBound) {
    joinChannel();
    sentWithin(10000);
    std::string pings;
    for (int i = 0; i < 300; ++i) pings += "PING :t" + std::to_string(i) + "\r\n";
    receive(pings);
    for (int i = 0; i < 300; ++i) say("report " + std::to_string(i));
    EXPECT_EQ(app.irc.queue.pong.size(), 1u);  // the answer to the latest PING only
    EXPECT_EQ(app.irc.queue.size(), 200u);
    EXPECT_EQ(app.irc.queue.main.back().body, "PRIVMSG #FCST :report 299");
}

TEST_F(RealNetworkTest, LostConnectionsAreRedialledWithDoublingWaits) {
    joinChannel();
    // Each wait is the base plus at most a tenth; the status counts down.
    for (int base : {10, 20, 40, 80, 160, 320, 600, 600}) {
        socket().peerClose();
        platform.advance(200);
        EXPECT_EQ(view.IRCStat.rfind("Reconnecting in ", 0), 0u) << view.IRCStat;
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

    QuitIrc(app);  // while connecting: the socket is closed and no redial follows
    EXPECT_EQ(socket().state(), SocketState::Closed);
    platform.advance(700000);
    EXPECT_EQ(socket().state(), SocketState::Closed);
}

TEST_F(RealNetworkTest, NicksInUseAreFollowedByUnderscoreThenDigitsThenGivenUp) {
    connect();
    const Lines tried{"NICK FCST_", "NICK FCST1", "NICK FCST2", "NICK FCST3", "NICK FCST4",
                      "NICK FCST5", "NICK FCST6", "NICK FCST7", "NICK FCST8", "NICK FCST9"};
    for (const std::string& nick : tried) {
        receive(":irc.test 433 * FCST :Nickname already in use\r\n");
        platform.advance(2000);
        EXPECT_EQ(sent(), Lines{nick});
    }
    receive(":irc.test 433 * FCST9 :Nickname already in use\r\n");
    EXPECT_EQ(socket().state(), SocketState::Closed);
    EXPECT_TRUE(view.Command3Enabled);

    connect();
    receive(":irc.test 433 * FCST :Nickname already in use\r\n");
    receive(":irc.test 001 FCST_ :Welcome\r\n");
    EXPECT_EQ(view.botNick, "FCST_");
    receive(":irc.test 433 * x :in use\r\n");  // registered: a late 433 changes nothing
    EXPECT_EQ(view.botNick, "FCST_");
}

TEST_F(RealNetworkTest, NumericsCountOnlyFromTheServer) {
    joinChannel();
    const struct {
        const char* line;
        const char* topic;
        std::size_t nicks;
    } cases[] = {
        {":evil!u@h PRIVMSG #FCST :332 FCST #FCST :owned\r\n", "Not connected", 0},
        {":evil!u@h 332 FCST #FCST :owned\r\n", "Not connected", 0},
        {":evil!u@h PRIVMSG #FCST :353 FCST = #FCST :a b c\r\n", "Not connected", 0},
        {":irc.test 332 FCST #FCST :the real topic\r\n", "the real topic", 0},
        {":irc.test 353 FCST = #FCST :@op v\r\n", "the real topic", 2},
    };
    for (const auto& c : cases) {
        receive(c.line);
        EXPECT_EQ(view.IRCTopic, c.topic) << c.line;
        EXPECT_EQ(view.ircLijst.size(), c.nicks) << c.line;
    }
    receive(":evil!u@h 001 Spoofed :Welcome\r\n");
    EXPECT_EQ(view.botNick, "FCST");
}

TEST_F(RealNetworkTest, TlsModesReachTheSocketAndAFailedCheckIsShownNotRetried) {
    view.IRCTls = view.IRCTlsInsecure = true;
    connect();
    EXPECT_TRUE(socket().tls.on && socket().tls.insecure);
    view.IRCTlsInsecure = false;
    ConnectIrc(app);
    EXPECT_EQ(shown().size(), 0u);  // the warning comes with insecure connects only
    socket().failTls("The certificate is self-signed");
    platform.advance(700000);
    EXPECT_EQ(view.IRCStat, "TLS failed: The certificate is self-signed");
    EXPECT_EQ(socket().connects, 2);
    EXPECT_TRUE(view.Command3Enabled);
}

}  // namespace
}  // namespace fc::test
