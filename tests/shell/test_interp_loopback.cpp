// The Interp feed on a real Qt socket against a loopback service, in the program and headless.
#include "core/app.h"
#include "headless_fixture.h"
#include "interp/interp_feed.h"
#include "shell/qt_platform.h"
#include "support/interp_service.h"
#include "wiring/wiring.h"

namespace fc::test {
namespace {

const std::string kGreeting =
    "Welcome to Interp 3.0\r\nMade by: Tester\r\nEmail: t@example.net\r\n";

TEST(InterpLoopback, GreetingStateRequestsAndTheServiceLeaving) {
    InterpService service(kGreeting, {{"GAMESTAT",
                                       "Current Score (Red-Blue): 2 - 1\r\n"
                                       "Time Left: 12:00\r\nRED Flag Status: Sar"},
                                      {"FLAGSTAT", "ge\r\nBLUE Flag Status: HOME\r\n"}});
    QtPlatform platform{"/tmp"};
    WiredApp app{platform};
    app.view.Q2Serverlist = "127.0.0.1:27960 loopback";
    app.view.interpPort = service.port();
    app.dispatch([&] { ConnectInterp(app); });

    ASSERT_TRUE(WaitUntil([&] { return app.view.StatBlue == "*** home ***"; }, 5000))
        << app.view.InterpOutput;
    EXPECT_EQ(app.view.InterpSupport, "ENABLED!");
    EXPECT_EQ(app.view.InterpVersion, "3.0");
    EXPECT_EQ(app.view.InterpEmail, "t@example.net");
    EXPECT_EQ(app.view.StatRed, "Sarge");
    EXPECT_EQ(app.view.qsRed, "2/");
    EXPECT_EQ(app.view.InterpTimerTag.substr(0, 2), "8:");
    EXPECT_EQ(service.requests(), "GAMESTATFLAGSTAT");

    service.closeFeed();
    ASSERT_TRUE(WaitUntil([&] { return app.view.InterpSupport == "Disabled!"; }, 5000));
}

using InterpHeadless = HeadlessTest;

TEST_F(InterpHeadless, PrintsInterpEventsAndReportsTheChosenOnes) {
    InterpService service(kGreeting + "^1Sarge got the RED flag!\nMajor got QUAD!\n", {});
    UdpResponder silent([](const std::string&) { return std::nullopt; });
    ASSERT_EQ(
        run({"--json", "--server", QString("127.0.0.1:%1").arg(silent.port()), "--interp-port",
             QString::number(service.port()), "--interp-events", "got", "--duration", "2"}),
        0)
        << err;
    const auto interp = events("interp");
    ASSERT_GE(interp.size(), 2u);
    EXPECT_EQ(interp.front()["InterpSupport"], "ENABLED!");
    EXPECT_EQ(interp.back()["StatRed"], "Sarge");
    EXPECT_EQ(interp.back()["InterpEmail"], "t@example.net");
    const auto reports = events("report");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0]["text"],
              "\x02\x03"
              "5RED\x03\x02 flag taken by Sarge");
    EXPECT_EQ(service.requests(), "GAMESTAT");
}

}  // namespace
}  // namespace fc::test
