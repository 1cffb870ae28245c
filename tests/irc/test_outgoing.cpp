// Saying lines in the channel: the stripping options, the reporting switch, the counter and
// the echo, the output window's bound, and that no text can break out of its line.
#include "irc/outgoing.h"
#include "irc_fixture.h"

namespace fc::test {
namespace {

using namespace std::string_literals;

using OutgoingTest = IrcTest;

TEST_F(OutgoingTest, ALineIsSentCountedAndEchoed) {
    joinChannel();
    view.isLinesPrinted = 41;
    stuurMSG(app, "#FCST", "\x02Red\x02 scores!");
    EXPECT_EQ(sent(), (Lines{"PRIVMSG #FCST :\x02Red\x02 scores!"}));
    EXPECT_EQ(view.isLinesPrinted, 42);
    EXPECT_EQ(shown(), (Lines{"<FCST> \x02Red\x02 scores!"}));
    EXPECT_EQ(reports, (Lines{"#FCST \x02Red\x02 scores!"}));
}

TEST_F(OutgoingTest, SwitchedOffOrNotConnectedNothingIsSentCountedOrShown) {
    joinChannel();
    view.ReportToIrc = false;
    const std::string before = view.Text1;
    stuurMSG(app, "#FCST", "one");
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(view.Text1, before);

    view.ReportToIrc = true;
    QuitIrc(app);
    sent(), shown();
    stuurMSG(app, "#FCST", "two");
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(view.isLinesPrinted, 0);
    // Every line is still told to the listeners before any check.
    EXPECT_EQ(reports, (Lines{"#FCST one", "#FCST two"}));
}

TEST_F(OutgoingTest, StrippingOptionsRemoveColourAndFontCodes) {
    const std::pair<const char*, const char*> colours[] = {
        {"^C04Red^C team", "Red team"}, {"^C123", "3"}, {"^C4,1x", ",1x"}, {"end^C", "end"}};
    for (const auto& [text, stripped] : colours) EXPECT_EQ(RemoveColorCodes(Codes(text)), stripped);
    EXPECT_EQ(RemoveFontCodes(Codes("^BA^_B^VC^O")), Codes("ABC^O"));

    joinChannel();
    const std::string line = Codes("^B^C04Red^C^_ 3^V^O");
    stuurMSG(app, "#FCST", line);
    view.IRCRemoveColors = true;
    stuurMSG(app, "#FCST", line);
    view.IRCRemoveFontCodes = true;
    stuurMSG(app, "#FCST", line);
    EXPECT_EQ(sent(), (Lines{"PRIVMSG #FCST :" + line, Codes("PRIVMSG #FCST :^BRed^_ 3^V^O"),
                             Codes("PRIVMSG #FCST :Red 3^O")}));
}

TEST_F(OutgoingTest, NoTextCanEndItsLineOrOverrunTheLimit) {
    joinChannel();
    stuurMSG(app, "#FCST", "[Evil\r\nQUIT :pwned\0] scores"s);
    stuurMSG(app, "#FCST\r\nJOIN #x", "hi");
    EXPECT_EQ(sent(),
              (Lines{"PRIVMSG #FCST :[EvilQUIT :pwned] scores", "PRIVMSG #FCSTJOIN #x :hi"}));

    shown();
    stuurMSG(app, "#FCST", std::string(600, 'a'));
    const std::string& bytes = socket().sent;
    EXPECT_EQ(bytes.size(), 512u);
    EXPECT_EQ(bytes.substr(510), "\r\n");
    // The echo shows what the channel got.
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

}  // namespace
}  // namespace fc::test
