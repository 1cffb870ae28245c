// Saying lines in the channel and the pace of real networks, from a case file; the stripping
// helpers, the line limit, the output window's bound, the queue's bounds and the redial waits.
#include "irc/send_queue.h"
#include "irc/session.h"
#include "irc_fixture.h"

namespace fc::test {
namespace {

FC_SESSIONS(Outgoing, "irc/cases/outgoing.txt")

using OutgoingTest = IrcTest;

TEST(Stripping, ColourAndFontCodes) {
    const std::pair<const char*, const char*> colours[] = {
        {"^C04Red^C team", "Red team"}, {"^C123", "3"}, {"^C4,1x", ",1x"}, {"end^C", "end"}};
    for (const auto& [text, stripped] : colours) EXPECT_EQ(RemoveColorCodes(Codes(text)), stripped);
    EXPECT_EQ(RemoveFontCodes(Codes("^BA^_B^VC^O")), Codes("ABC^O"));
}

TEST_F(OutgoingTest, NoLineOverrunsTheLimitAndTheEchoShowsWhatLeft) {
    joinChannel();
    stuurMSG(app, "#FCST", std::string(600, 'a'));
    const std::string& bytes = socket().sent;
    EXPECT_EQ(bytes.size(), 512u);
    EXPECT_EQ(bytes.substr(510), "\r\n");
    EXPECT_EQ(shown(), (Lines{"<FCST> " + std::string(510 - 15, 'a')}));
    sent();
    SendIrcLine(app, "NOTICE x :" + std::string(1000, 'b'));
    EXPECT_EQ(socket().sent.size(), 512u);
}

TEST_F(OutgoingTest, OutputWindowKeepsItsLastNineThousandCharacters) {
    app.appendOutput(std::string(9998, 'x'));  // 10000 with its CR LF: not trimmed yet
    EXPECT_EQ(view.Text1.size(), 10000u);
    app.appendOutput("");
    EXPECT_EQ(view.Text1.size(), 9000u);
    EXPECT_EQ(view.Text1.substr(8995), "x\r\n\r\n");
}

TEST_F(OutgoingTest, PaceSettingsAsTypedOrTheirDefaults) {
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

TEST_F(OutgoingTest, TheQueueKeepsItsBoundDroppingNoticesNeverReportsAndOnePong) {
    view.IRCLineGapMs = "2000";
    joinChannel();
    view.spelerLijst.assign(64, PlayerRow{"p", "1", "5", "Blue", RowColour::Blue});
    const auto ask = [&](int n) {
        receive(":n" + std::to_string(n) + "!u@h PRIVMSG FCST :!players\r\n");
    };
    for (int i = 0; i < 20; ++i) ask(i);
    stuurMSG(app, "#FCST", "report");
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
    for (int i = 0; i < 300; ++i) stuurMSG(app, "#FCST", "report " + std::to_string(i));
    EXPECT_EQ(app.irc.queue.pong.size(), 1u);  // the answer to the latest PING only
    EXPECT_EQ(app.irc.queue.size(), 200u);
    EXPECT_EQ(app.irc.queue.main.back().body, "PRIVMSG #FCST :report 299");
}

TEST_F(OutgoingTest, LostConnectionsAreRedialledWithDoublingWaits) {
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

}  // namespace
}  // namespace fc::test
