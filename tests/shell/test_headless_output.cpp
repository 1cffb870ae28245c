// What a headless run prints about the bot's lines, read back from stdout.
#include <gtest/gtest.h>

#include "core/app.h"
#include "irc/outgoing.h"
#include "shell/headless.h"
#include "shell/terminal_text.h"
#include "support/fake_platform.h"
#include "wiring/wiring.h"

namespace fc::test {
namespace {

TEST(HeadlessOutput, EveryLineForTheChannelIsAReportEventEvenWhenItIsNotSent) {
    FakePlatform platform;
    WiredApp app(platform);
    AttachHeadlessOutput(app, true);
    testing::internal::CaptureStdout();
    stuurMSG(app, "#FCST", "\x02Red\x02 scores");  // not connected: nothing is sent
    app.view.ReportToIrc = false;
    stuurMSG(app, "#FCST", "silenced");
    app.appendOutput("*** DISCONNECTED! ***");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "{\"event\":\"report\",\"target\":\"#FCST\",\"text\":\"\\u0002Red\\u0002 scores\"}\n"
              "{\"event\":\"report\",\"target\":\"#FCST\",\"text\":\"silenced\"}\n"
              "{\"event\":\"output\",\"text\":\"*** DISCONNECTED! ***\"}\n");
}

// IRC codes in, the terminal's text out: ANSI styles for a terminal, nothing for a pipe.
TEST(TerminalText, IrcCodesBecomeAnsiStylesOrGo) {
    const struct {
        const char *name, *irc, *ansi, *plain;
    } cases[] = {
        {"text without codes is left alone", "BC: 0 - RC: 1", "BC: 0 - RC: 1", "BC: 0 - RC: 1"},
        {"a digit after a two-digit colour stays text",
         "\x03"
         "040\x03",
         "\x1b[0;91m0\x1b[0m", "0"},
        {"a digit after a one-digit colour makes it two",
         "\x03"
         "41x",
         "x", "x"},
        {"a digit after a colour with a background stays text",
         "\x03"
         "4,121",
         "\x1b[0;91;104m1\x1b[0m", "1"},
        {"a comma with no digit after it is text",
         "\x03"
         "4,x",
         "\x1b[0;91m,x\x1b[0m", ",x"},
        {"a comma with no colour before it is text", "\x03,4", ",4", ",4"},
        {"a lone colour code ends the colour",
         "\x03"
         "14map\x03 - 5",
         "\x1b[0;90mmap\x1b[0m - 5", "map - 5"},
        {"bold and underline toggle and add up",
         "\x02"
         "a\x1f"
         "b\x02"
         "c\x1f"
         "d",
         "\x1b[0;1ma\x1b[0;1;4mb\x1b[0;4mc\x1b[0md", "abcd"},
        {"reverse, and plain ends every style",
         "\x16\x03"
         "2r\x0fp",
         "\x1b[0;7;34mr\x1b[0mp", "rp"},
        {"a colour past 15 draws in the terminal's own",
         "\x03"
         "99x\x03"
         "16y",
         "xy", "xy"},
        {"codes that cancel out, or end the text, cost nothing",
         "a\x02\x02"
         "b\x03"
         "4",
         "ab", "ab"},
        {"a style open at the end is closed",
         "\x02"
         "bold",
         "\x1b[0;1mbold\x1b[0m", "bold"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IrcToTerminal(c.irc, TerminalStyle::Ansi), c.ansi) << c.name;
        EXPECT_EQ(IrcToTerminal(c.irc, TerminalStyle::Plain), c.plain) << c.name;
    }
}

}  // namespace
}  // namespace fc::test
