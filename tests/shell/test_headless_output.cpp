// What a headless run prints about the bot's lines, read back from stdout.
#include <gtest/gtest.h>

#include <sstream>

#include "core/app.h"
#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "shell/headless.h"
#include "support/fake_platform.h"
#include "wiring/wiring.h"

namespace fc::test {
namespace {

// Each line for the channel is a report event telling what became of it at once, also when
// nothing is sent; a line that waited for the channel gets an irc event when it leaves or is
// dropped.
TEST(HeadlessOutput, EveryLineForTheChannelIsAReportEventWithItsFate) {
    FakePlatform platform;
    WiredApp app(platform);
    app.view.IRCLineGapMs = "0";
    AttachHeadlessOutput(app, true);
    testing::internal::CaptureStdout();
    stuurMSG(app, "#FCST", "\x02Red\x02 scores");  // no connection wanted: nothing is sent
    app.view.ReportToIrc = false;
    stuurMSG(app, "#FCST", "silenced");
    app.view.ReportToIrc = true;
    ConnectIrc(app);
    platform.tcpSockets.at(0)->accept();
    stuurMSG(app, "#FCST", "CAP =RC=Sarge 1:0", ReportKind::Essential);  // not yet joined
    platform.advance(31000);
    platform.tcpSockets.at(0)->receive(":FCST!~fcst@h JOIN :#FCST\r\n");
    stuurMSG(app, "#FCST", "CAP [BC]Kyonshi 1:1", ReportKind::Essential);
    platform.tcpSockets.at(0)->receive(":op!~o@h KICK #FCST FCST :out\r\n");
    stuurMSG(app, "#FCST", "*** Match paused! ***");
    QuitIrc(app);
    std::istringstream printed(testing::internal::GetCapturedStdout());
    std::vector<std::string> lines;
    for (std::string line; std::getline(printed, line);) {
        if (line.find("\"fate\"") != std::string::npos ||
            line.find("*** Back in") != std::string::npos ||
            line.find("*** Dropped") != std::string::npos ||
            line.find("<FCST>") != std::string::npos)
            lines.push_back(line);
    }
    const std::string irc = R"({"event":"irc","state":"Connected!","nick":"FCST",)";
    EXPECT_EQ(
        lines,
        (std::vector<std::string>{
            R"({"event":"report","target":"#FCST","text":"\u0002Red\u0002 scores","fate":"none"})",
            R"({"event":"report","target":"#FCST","text":"silenced","fate":"off"})",
            R"({"event":"report","target":"#FCST","text":"CAP =RC=Sarge 1:0","fate":"held"})",
            R"({"event":"output","text":"*** Back in #FCST: sending 1 line said while away."})",
            irc +
                R"("fate":"late","target":"#FCST","text":"CAP =RC=Sarge 1:0","saidAt":"12:00:00"})",
            R"({"event":"output","text":"<FCST> [12:00:00] CAP =RC=Sarge 1:0"})",
            R"({"event":"report","target":"#FCST","text":"CAP [BC]Kyonshi 1:1","fate":"sent"})",
            R"({"event":"output","text":"<FCST> CAP [BC]Kyonshi 1:1"})",
            R"({"event":"report","target":"#FCST","text":"*** Match paused! ***","fate":"held"})",
            irc +
                R"("fate":"dropped","target":"#FCST","text":"*** Match paused! ***","saidAt":"12:00:31"})",
            R"({"event":"output","text":"*** Dropped 1 report line not yet said."})",
        }));
}

}  // namespace
}  // namespace fc::test
