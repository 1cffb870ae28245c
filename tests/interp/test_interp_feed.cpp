// The Interp feed through the fake platform: lines in, labels and channel lines out.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "interp/interp_feed.h"
#include "support/fake_platform.h"
#include "support/report_recorder.h"
#include "wiring/wiring.h"

namespace fc::test {
namespace {

const std::string B = "\x02";
const std::string C = "\x03";

class InterpFeed : public ::testing::Test {
protected:
    InterpFeed() {
        app.addListener(&said);
        app.view.botChannel = "#war";
        app.view.Q2Serverlist = "10.0.0.5:27960 our server";
        app.QuakeStatus->setRemote("10.0.0.5", 27960);
        app.view.IRCLineCTF = "%at% %as%:%bs% %bt% by %c% ping %ap%/%bp% diff %ae%/%be% %tl%";
        ConnectInterp(app);
        service().accept();
    }
    FakeTcpSocket& service() { return *platform.tcpSockets.at(1); }
    void lines(const std::string& text) { service().receive(text); }

    FakePlatform platform;
    WiredApp app{platform};
    ReportRecorder said;
};

TEST_F(InterpFeed, ConnectsToTheServersHostOnTheServicePort) {
    EXPECT_EQ(service().host, "10.0.0.5");
    EXPECT_EQ(service().port, 3490);
    EXPECT_EQ(app.view.InterpSupport, "ENABLED!");
    EXPECT_TRUE(app.view.teamscoresVisible);

    app.view.Q2Serverlist = "game.example.net";
    ConnectInterp(app);
    EXPECT_EQ(service().host, "game.example.net");
    app.view.Q2Serverlist = "10.1.1.1 :27960 comment";
    ConnectInterp(app);
    EXPECT_EQ(service().host, "10.1.1.1");
    EXPECT_EQ(app.view.InterpSupport, "Disabled!");
    const int closes = service().closes;
    app.view.Q2Serverlist = "recordings/final.rec";  // a recording has no service beside it
    ConnectInterp(app);
    EXPECT_EQ(service().closes, closes + 1);
    EXPECT_EQ(service().state(), SocketState::Closed);
}

TEST_F(InterpFeed, TheServiceGoingAwayIsShownAndNotRedialled) {
    service().peerClose();
    EXPECT_EQ(app.view.InterpSupport, "Disabled!");
    EXPECT_EQ(service().state(), SocketState::Closed);
    platform.advance(60000);
    EXPECT_EQ(service().state(), SocketState::Closed);
    ConnectInterp(app);  // "Reconnect"
    EXPECT_EQ(service().state(), SocketState::Connecting);
    DisconnectInterp(app);
    EXPECT_EQ(app.view.InterpSupport, "Disabled!");
}

using Field = std::pair<std::string MainView::*, std::string>;

struct LineCase {
    const char* name;
    std::function<void(MainView&)> setup;
    std::vector<std::string> chunks;  // one receive event each
    std::vector<Field> fields;
    std::vector<std::string> said;
    std::string sent;  // the requests sent to the service
};

const std::string kFlagHome = "*** home ***";
const std::string kSomewhere = "*** somewhere ***";
const std::string kRedFlag = B + C + "5RED" + C + B;
const std::string kBlueFlag = B + C + "2BLUE" + C + B;

void NoSetup(MainView&) {}

// One row per case: name, setup, arrivals, fields after, lines said, requests sent.
// clang-format off
const LineCase kLineCases[] = {
    {"greeting asks for the game state", NoSetup,
     {"Welcome to Interp 2.1b\r\nMade by: Fx\r\nEmail: fx@example.net\r\n"},
     {{&MainView::InterpVersion, "2.1b"}, {&MainView::InterpAuthor, "Fx"}, {&MainView::InterpEmail, "fx@example.net"}},
     {}, "GAMESTAT"},
    {"flag status split over two arrivals", NoSetup, {"RED Flag Status: HO", "ME\n"},
     {{&MainView::StatRed, kFlagHome}, {&MainView::StatBlue, "[unkown]"}}, {}},
    {"flag status names the carrier as he comes", NoSetup, {"RED Flag Status: ^1Sarge\nBLUE Flag Status: Major\n"},
     {{&MainView::StatRed, "^1Sarge"}, {&MainView::StatBlue, "Major"}}, {}},
    {"flag status carrier died", NoSetup, {"BLUE Flag Status: FC Died\nRED Flag Status: HOME\n"},
     {{&MainView::StatBlue, kSomewhere}, {&MainView::StatRed, kFlagHome}}, {}},
    {"flag taken with its switch off moves the label only", NoSetup, {"^1Sar^7ge got the RED flag!\n"},
     {{&MainView::StatRed, "Sarge"}}, {}},
    {"flag taken reported", [](MainView& v) { v.InterpGotFlag = true; },
     {"Major got the BLUE flag!\ngot the RED flag!\n"}, {{&MainView::StatBlue, "Major"}, {&MainView::StatRed, ""}},
     {kBlueFlag + " flag taken by Major", kRedFlag + " flag taken by "}},
    {"flag lost and recovered", [](MainView& v) { v.InterpLostFlag = v.InterpRecoverFlag = true; },
     {"Major lost the BLUE flag!\nSarge lost the RED flag!\nSarge Recovered the RED flag!\n"},
     {{&MainView::StatBlue, kSomewhere}, {&MainView::StatRed, kFlagHome}},
     {kBlueFlag + " flag lost!", kRedFlag + " flag lost!", kRedFlag + " flag returned!"}},
    {"flag recovered without report", NoSetup, {"Major Recovered the BLUE flag!\nx lost the RED flag!\n"},
     {{&MainView::StatBlue, kFlagHome}, {&MainView::StatRed, kSomewhere}}, {}},
    {"invisibility reported with quad off", [](MainView& v) { v.InterpQuad = false; },
     {"^4Ghost got INVIS!\nGhost got QUAD!\n"}, {}, {C + "14" + B + "INVISIBILITY" + B + C + " taken by Ghost"}},
    {"power-ups by their switches", [](MainView& v) { v.InterpInvis = v.InterpHaste = false; v.InterpRegen = true; },
     {"A got QUAD!\nB got HASTE!\nC got Regen\nD got INVIS!\n"}, {},
     {C + "4" + B + "QUAD" + B + C + " taken by A", C + "6" + B + "REGEN" + B + C + " taken by C"}},
    {"haste by default", NoSetup, {"Speedy got HASTE!\n"}, {}, {C + "7" + B + "HASTE" + B + C + " taken by Speedy"}},
    {"server status words exactly", [](MainView& v) { v.InterpServerMsg = true; },
     {"SERVER SHUTDOWN \nSERVER SHUTDOWN\nSERVER CRASH, RESTARTING\nserver starting up\n"}, {},
     {B + "Server Status:" + B + " Server has shutdown!",
      B + "Server Status:" + B + " Server has " + C + "04crashed" + C + "! Restarting now..."}},
    {"server status off", NoSetup, {"SERVER STARTING UP\n"}, {}, {}},
    {"capper with red and with blue", NoSetup, {"  Sarge CAPTURED the RED flag!\n", "Major CAPTURED the BLUE flag!\n"},
     {{&MainView::interpCapper, "Major"}}, {}},
    {"capper of one letter", NoSetup, {"x CAPTURED the RED flag!\n"}, {{&MainView::interpCapper, "x"}}, {}},
    {"score under takeover", [](MainView& v) { v.interpCapper = "Sarge"; v.qsTimeLeft = "7:30"; },
     {"Score (Red-Blue):13 - 1\n"},
     {{&MainView::qsRed, "13/"}, {&MainView::qsBlue, "1/"}, {&MainView::StatRed, kFlagHome}, {&MainView::StatBlue, kFlagHome}},
     {"Red team 13:1 Blue team by Sarge ping N/A/N/A diff N/A/N/A 7:30"}},
    {"score when the mod gives it", [](MainView& v) { v.gameType = "ctfq3"; v.qsRed = "2/40"; },
     {"Score (Red-Blue): 3 - 1\n"}, {{&MainView::qsRed, "2/40"}, {&MainView::StatRed, kFlagHome}}, {}},
    {"score with the switch off", [](MainView& v) { v.InterpReport = false; },
     {"Current Score (Red-Blue): 3 - 1\n"}, {{&MainView::qsRed, "0/0"}, {&MainView::StatBlue, kFlagHome}}, {}},
    {"current score sets the fields only", NoSetup, {"Current Score (Red-Blue):4 - 12 \n"},
     {{&MainView::qsRed, "4/"}, {&MainView::qsBlue, "12/"}}, {}},
    {"match start, address hidden", [](MainView& v) { v.serverIsPrivate = true; }, {"Match Started!!! ctf4\n"},
     {{&MainView::InterpTimerTag, "0:00"}}, {"*** MATCH HAS STARTED! *** Server: [PRIVATE!] - Using Interp! - ctf4"}},
    {"match start with the address", NoSetup, {"Match Started!!!\n"}, {},
     {"*** MATCH HAS STARTED! *** Server: 10.0.0.5 - Using Interp! - "}},
    {"match start without takeover", [](MainView& v) { v.gameType = "ctfq3"; }, {"Match Started!!! x\n"},
     {{&MainView::InterpTimerTag, "00:00"}}, {}},
    {"time left starts the clock and asks for the flags", [](MainView& v) { v.gameType = "ctfq3"; },
     {"Time Left:  5:00 \n"}, {{&MainView::InterpTimerTag, "15:00"}}, {}, "FLAGSTAT"},
    {"timelimit hit during a started match",
     [](MainView& v) { v.matchState = MatchState::Running; v.qsRed = "3/"; v.qsBlue = "17"; v.txtnaamRED = "Rats"; },
     {"Timelimit hit!\nTimelimit hit! \n"}, {{&MainView::qsTimeLeft, "INT"}, {&MainView::InterpTimerTag, "INT"}},
     {"*** MATCH HAS ENDED! *** FINAL SCORE: [Rats] 3 (0) / [Blue team] 0 (17)"}},
    {"timelimit hit with no started match", NoSetup, {"Timelimit hit!\n"}, {{&MainView::qsTimeLeft, "INT"}}, {}},
};
// clang-format on

TEST_F(InterpFeed, LinesInLabelsAndLinesOut) {
    const MainView initial = app.view;
    for (const LineCase& c : kLineCases) {
        SCOPED_TRACE(c.name);
        app.view = initial;
        app.InterpTimer->setEnabled(false);
        service().sent.clear();
        c.setup(app.view);
        for (const std::string& chunk : c.chunks) lines(chunk);
        for (const auto& [field, value] : c.fields) EXPECT_EQ(app.view.*field, value);
        EXPECT_EQ(said.take(), c.said);
        EXPECT_EQ(service().sent, c.sent);
    }
}

struct TickCase {
    const char* before;
    const char* after;
    const char* timeLeft;
};

TEST_F(InterpFeed, ClockTicksAcrossMinutesAndEndsAtTwentyMinutes) {
    const TickCase cases[] = {
        {"0:59", "1:00", "19:00"}, {"9:59", "10:00", "10:00"}, {"0:00", "0:01", "19:59"},
        {"0:09", "0:10", "19:50"}, {"19:59", "INT", "INT"},    {"INT", "INT", "x"},
    };
    for (const TickCase& c : cases) {
        SCOPED_TRACE(c.before);
        app.view.qsTimeLeft = "x";
        app.view.InterpTimerTag = c.before;
        app.InterpTimer->setEnabled(true);
        platform.advance(1000);
        EXPECT_EQ(app.view.InterpTimerTag, c.after);
        EXPECT_EQ(app.view.qsTimeLeft, c.timeLeft);
    }
}

TEST_F(InterpFeed, TimeLeftRunsTheClockToItsEnd) {
    app.view.matchState = MatchState::Running;
    lines("Time Left: 5:00\n");
    platform.advance(299000);
    EXPECT_EQ(app.view.qsTimeLeft, "0:01");
    lines("Time Left: 9:00\n");  // only a stopped clock is set again
    EXPECT_EQ(app.view.InterpTimerTag, "19:59");
    platform.advance(1000);
    EXPECT_EQ(app.view.qsTimeLeft, "INT");
    EXPECT_EQ(app.view.matchState, MatchState::None);
    EXPECT_EQ(said.take().size(), 1u);
    EXPECT_FALSE(app.InterpTimer->enabled());
}

TEST_F(InterpFeed, MoreThanTheMatchLengthLeftNeverCountsNorEnds) {
    app.view.matchState = MatchState::Running;
    lines("Time Left: 25:00\n");
    EXPECT_EQ(app.view.InterpTimerTag, "INT");
    platform.advance(30 * 60000);
    EXPECT_EQ(app.view.InterpTimerTag, "INT");
    EXPECT_EQ(app.view.matchState, MatchState::Running);
    EXPECT_TRUE(said.take().empty());
    lines("Time Left: 19:00\n");  // the clock stopped: the next report sets it right
    EXPECT_EQ(app.view.InterpTimerTag, "1:00");
}

TEST_F(InterpFeed, OutputShowsTheRawFeedBounded) {
    lines("a\nb");
    lines("c\r\n");
    EXPECT_EQ(app.view.InterpOutput, "a\r\nbc\r\r\n");
    lines(std::string(12000, 'x') + "\n");
    EXPECT_EQ(app.view.InterpOutput.size(), 10000u);
    ClearInterpOutput(app);
    EXPECT_EQ(app.view.InterpOutput, "");
}

TEST_F(InterpFeed, AnEndlessLineIsDroppedWithOneMessage) {
    app.view.InterpGotFlag = true;
    auto messages = [&] {
        const std::string& out = app.view.InterpOutput;
        std::size_t n = 0;
        for (std::size_t at = out.find("dropped"); at != std::string::npos;
             at = out.find("dropped", at + 1))
            ++n;
        return n;
    };
    for (int i = 0; i < 2; ++i) lines(std::string(4000, 'y'));
    for (int i = 0; i < 2; ++i) lines(std::string(4200, 'y'));
    EXPECT_EQ(messages(), 1u);
    lines(std::string(9000, 'y') + " got the RED flag!\nRED Flag Status: HOME\n");
    EXPECT_EQ(messages(), 1u);
    EXPECT_EQ(app.view.StatRed, kFlagHome);
    EXPECT_TRUE(said.take().empty());
    EXPECT_TRUE(app.view.interpBuffer.empty());
}

}  // namespace
}  // namespace fc::test
