// What a headless run prints about the bot's lines, read back from stdout.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "shell/headless.h"
#include "support/program_fixture.h"

namespace fc::test {
namespace {

struct HeadlessOutput : ::testing::Test, Program {};

// Each line for the channel is a report event with its fate; a held one an irc event later.
TEST_F(HeadlessOutput, EveryLineForTheChannelIsAReportEventWithItsFate) {
    app.settings.ircLineGapMs = "0";
    attachHeadlessOutput(app, true);
    testing::internal::CaptureStdout();
    sayInChannel(app, "#FCST", "\x02Red\x02 scores");  // no connection wanted: nothing is sent
    app.settings.reportToIrc = false;
    sayInChannel(app, "#FCST", "silenced");
    app.settings.reportToIrc = true;
    connectIrc(app);
    platform.tcpSockets.at(0)->accept();
    sayInChannel(app, "#FCST", "CAP =RC=Sarge 1:0", ReportKind::Essential);  // not yet joined
    platform.advance(31000);
    platform.tcpSockets.at(0)->receive(":FCST!~fcst@h JOIN :#FCST\r\n");
    sayInChannel(app, "#FCST", "CAP [BC]Kyonshi 1:1", ReportKind::Essential);
    platform.tcpSockets.at(0)->receive(":op!~o@h KICK #FCST FCST :out\r\n");
    sayInChannel(app, "#FCST", "*** Match paused! ***");
    quitIrc(app);
    std::istringstream printed(testing::internal::GetCapturedStdout());
    std::vector<std::string> lines;
    const std::regex said(R"("fate"|\*\*\* Back in|\*\*\* Dropped|<FCST>)");
    for (std::string line; std::getline(printed, line);)
        if (std::regex_search(line, said)) lines.push_back(line);
    // clang-format off
    const auto report = [](const std::string& text, const std::string& fate) {
        return R"({"event":"report","target":"#FCST","text":")" + text + R"(","fate":")" + fate + "\"}"; };
    const auto out = [](const std::string& t) { return R"({"event":"output","text":")" + t + "\"}"; };
    const std::string irc = R"({"event":"irc","state":"Connected!","nick":"FCST","fate":)";
    EXPECT_EQ(lines, (std::vector<std::string>{
        report("\\u0002Red\\u0002 scores", "none"), report("silenced", "off"), report("CAP =RC=Sarge 1:0", "held"),
        out("*** Back in #FCST: sending 1 line said while away."),
        irc + R"("late","target":"#FCST","text":"CAP =RC=Sarge 1:0","saidAt":"12:00:00"})",
        out("<FCST> [12:00:00] CAP =RC=Sarge 1:0"), report("CAP [BC]Kyonshi 1:1", "sent"),
        out("<FCST> CAP [BC]Kyonshi 1:1"), report("*** Match paused! ***", "held"),
        irc + R"("dropped","target":"#FCST","text":"*** Match paused! ***","saidAt":"12:00:31"})",
        out("*** Dropped 1 report line not yet said.")}));
    // clang-format on
}

// The irc event tells how the login went, the webhook event how the room answered; no password
// and no webhook address show, in the raw view neither.
TEST_F(HeadlessOutput, TheLoginsOutcomeIsAnIrcEventAndNoSecretIsPrinted) {
    app.settings.ircLineGapMs = "0", app.settings.showRawText = true;
    app.settings.ircSaslUser = "bot", app.settings.ircSaslPassword = "hunter2";
    app.settings.killAllowedFrom = "boss", app.settings.killPassword = "halt";
    attachHeadlessOutput(app, true);
    testing::internal::CaptureStdout();
    connectIrc(app);
    platform.tcpSockets.at(0)->accept();
    platform.tcpSockets.at(0)->receive(
        ":s CAP * LS :sasl\r\n:s CAP * ACK :sasl\r\nAUTHENTICATE +\r\n:s 904 bot :Failed\r\n"
        ":boss!b@h PRIVMSG FCST :!killyourself ha");  // the password in two reads
    platform.tcpSockets.at(0)->receive("lt\r\n");
    app.settings.webhookUrl = "https://chat.example.org/hooks/hunter2";
    sayInChannel(app, "#FCST", "CAPTURE", ReportKind::Essential);
    platform.http->onAnswer({0, "refused", {}, ""});
    platform.advance(200);
    const std::string printed = testing::internal::GetCapturedStdout();
    for (const char* part :
         {R"("nick":"FCST","login":"pending"})", R"("nick":"FCST","login":"failed"})",
          "*boss* !killyourself ****", R"(PRIVMSG FCST :!killyourself ****\r\n)",
          R"("state":"failed","status":0,"lines":1,"host":"chat.example.org",)"
          R"("error":"refused"})"})
        EXPECT_NE(printed.find(part), std::string::npos) << part;
    for (const char* secret : {"hunter2", "halt"})
        EXPECT_EQ(printed.find(secret), std::string::npos);
}

}  // namespace
}  // namespace fc::test
