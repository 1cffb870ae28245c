// What a headless run prints about the bot's lines, read back from stdout.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "monitor/poller.h"
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
        {"a comma with no colour before it is text", "^C,4", ",4", ",4"},
        {"a lone colour code ends the background too", "^C4,12a^Cb", "~[0;91;104ma~[0mb", "ab"},
        {"bold and underline toggle and add up", "^Ba^_b^Bc^_d", "~[0;1ma~[0;1;4mb~[0;4mc~[0md",
         "abcd"},
        {"reverse, and plain ends every style", "^V^C2r^Op", "~[0;7;34mr~[0mp", "rp"},
        {"a colour past 15 draws in the terminal's own", "^C99x^C16y", "xy", "xy"},
        {"codes that cancel out or end the text cost nothing", "a^B^Bb^C4", "ab", "ab"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ircToTerminal(qtBytes(c.irc), TerminalStyle::Ansi), qtBytes(c.ansi)) << c.name;
        EXPECT_EQ(ircToTerminal(qtBytes(c.irc), TerminalStyle::Plain), c.plain) << c.name;
    }
}

// A server name that cannot be found is said once, on stdout with the other output lines and on
// stderr, however many ticks look it up again.
TEST(HeadlessOutput, AServerNameNotFoundIsSaidOnceOnStderr) {
    FakePlatform platform;
    WiredApp app(platform);
    attachHeadlessOutput(app, false);
    onServerEntryEdited(app, "nowhere.invalid:27960");
    toggleConnection(app);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    platform.advance(10000);
    const std::string line =
        "*** The host nowhere.invalid cannot be found; it will be looked up again.";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "fragcaster: " + line + "\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), line + "\n");
    EXPECT_EQ(platform.lookups.size(), 5u);
}

}  // namespace
}  // namespace fc::test
