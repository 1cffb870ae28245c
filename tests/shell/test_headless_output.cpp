// What a headless run prints about the bot's lines, read back from stdout.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "program/wiring.h"
#include "shell/headless.h"
#include "shell/terminal_text.h"
#include "support/fake_platform.h"

namespace fc::test {
namespace {

// Each line for the channel is a report event telling what became of it at once, also when
// nothing is sent; a line that waited for the channel gets an irc event when it leaves or is
// dropped.
TEST(HeadlessOutput, EveryLineForTheChannelIsAReportEventWithItsFate) {
    FakePlatform platform;
    WiredApp app(platform);
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
    const auto report = [](const std::string& text, const std::string& fate) {
        return R"({"event":"report","target":"#FCST","text":")" + text + R"(","fate":")" + fate +
               "\"}";
    };
    const auto output = [](const std::string& text) {
        return R"({"event":"output","text":")" + text + "\"}";
    };
    const std::string irc = R"({"event":"irc","state":"Connected!","nick":"FCST","fate":)";
    EXPECT_EQ(
        lines,
        (std::vector<std::string>{
            report("\\u0002Red\\u0002 scores", "none"), report("silenced", "off"),
            report("CAP =RC=Sarge 1:0", "held"),
            output("*** Back in #FCST: sending 1 line said while away."),
            irc + R"("late","target":"#FCST","text":"CAP =RC=Sarge 1:0","saidAt":"12:00:00"})",
            output("<FCST> [12:00:00] CAP =RC=Sarge 1:0"), report("CAP [BC]Kyonshi 1:1", "sent"),
            output("<FCST> CAP [BC]Kyonshi 1:1"), report("*** Match paused! ***", "held"),
            irc + R"("dropped","target":"#FCST","text":"*** Match paused! ***",)"
                  R"("saidAt":"12:00:31"})",
            output("*** Dropped 1 report line not yet said.")}));
}

// IRC's codes written as ^B bold, ^C colour, ^_ underline, ^V reverse, ^O plain; the escape
// that starts an ANSI style as "~".
std::string qtBytes(std::string text) {
    const std::pair<const char*, char> codes[] = {{"^B", '\x02'}, {"^C", '\x03'}, {"^_", '\x1f'},
                                                  {"^V", '\x16'}, {"^O", '\x0f'}, {"~", '\x1b'}};
    for (const auto& [token, byte] : codes) {
        for (std::size_t at; (at = text.find(token)) != std::string::npos;)
            text.replace(at, std::string_view(token).size(), 1, byte);
    }
    return text;
}

// IRC codes in, the terminal's text out: ANSI styles for a terminal, nothing for a pipe.
TEST(TerminalText, IrcCodesBecomeAnsiStylesOrGo) {
    const struct {
        const char *name, *irc, *ansi, *plain;
    } cases[] = {
        {"a digit after a two-digit colour stays text", "^C040^C", "~[0;91m0~[0m", "0"},
        {"a digit after a one-digit colour makes it two", "^C41x", "x", "x"},
        {"a digit after a background stays text", "^C4,121", "~[0;91;104m1~[0m", "1"},
        {"a lone colour code ends the background too", "^C4,12a^Cb", "~[0;91;104ma~[0mb", "ab"},
        {"bold and underline toggle and add up", "^Ba^_b^Bc^_d", "~[0;1ma~[0;1;4mb~[0;4mc~[0md",
         "abcd"},
        {"reverse, and plain ends every style", "^V^C2r^Op", "~[0;7;34mr~[0mp", "rp"},
        {"a colour past 15 draws in the terminal's own", "^C99x^C16y", "xy", "xy"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ircToTerminal(qtBytes(c.irc), TerminalStyle::Ansi), qtBytes(c.ansi)) << c.name;
        EXPECT_EQ(ircToTerminal(qtBytes(c.irc), TerminalStyle::Plain), c.plain) << c.name;
    }
}

}  // namespace
}  // namespace fc::test
