// The Interp feed on a real Qt socket against a loopback service, in the headless program: its
// events printed as JSON, the chosen ones reported.
#include "headless_fixture.h"
#include "support/interp_service.h"

namespace fc::test {
namespace {

const std::string kGreeting =
    "Welcome to Interp 3.0\r\nMade by: Tester\r\nEmail: t@example.net\r\n";

using InterpHeadless = HeadlessTest;

TEST_F(InterpHeadless, PrintsInterpEventsAndReportsTheChosenOnes) {
    InterpService service(kGreeting + "^1Sarge got the RED flag!\nMajor got QUAD!\n");
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
