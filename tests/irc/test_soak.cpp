// An evening on the virtual clock: six 20-minute matches with captures, ten thousand channel
// lines, queries from 50 nicks and two lost connections. Every report line said while the bot
// is in the channel reaches the socket, in order, and nothing the bot keeps grows without end.
#include <algorithm>
#include <cstdio>

#include "irc_fixture.h"

namespace fc::test {
namespace {

using SoakTest = IrcTest;

TEST_F(SoakTest, AnEveningStaysBoundedAndLosesNoReportLine) {
    view.IRCLineGapMs = "2000";
    view.spelerLijst.assign(16, PlayerRow{"player", "1", "50", "Red", RowColour::Red});
    const auto register_ = [&] {
        socket().accept();
        receive(":irc.test 001 FCST :Welcome\r\n:irc.test 376 FCST :End\r\n");
        receive(":FCST!u@h JOIN :#FCST\r\n");
    };
    const auto collect = [&](std::vector<int>& arrived) {
        for (const std::string& line : sent()) {
            if (line.rfind("PRIVMSG #FCST :capture ", 0) == 0)
                arrived.push_back(std::stoi(line.substr(23)));
        }
    };
    ConnectIrc(app);
    register_();
    int said = 0, channelLines = 0;
    std::size_t peakOutput = 0, peakIgnore = 0, peakNicks = 0, peakQueue = 0;
    std::vector<int> expected, arrived;
    const int evening = 6 * 20 * 60;
    for (int second = 0; second < evening; ++second) {
        const std::string nick = "n" + std::to_string(second % 50);
        if (second % 7 == 0) receive(":" + nick + "!u@h JOIN :#FCST\r\n");
        if (second % 7 == 3) receive(":" + nick + "!u@h PART #FCST\r\n");
        for (int i = 0; i < 2 && channelLines < 10000; ++i, ++channelLines)
            receive(":" + nick + "!u@h PRIVMSG #FCST :line " + std::to_string(channelLines) +
                    "\r\n");
        if (second % 3 == 0) receive(":" + nick + "!u@h PRIVMSG FCST :!players\r\n");
        if (second % 40 == 0 && IrcConnected(app)) {
            expected.push_back(said);
            stuurMSG(app, "#FCST", "capture " + std::to_string(said++));
        }
        if (second == 2010 || second == 5010) socket().peerClose();
        platform.advance(1000);
        if (socket().state() == SocketState::Connecting) register_();
        collect(arrived);
        peakOutput = std::max(peakOutput, view.Text1.size());
        peakIgnore = std::max(peakIgnore, view.ignorelist.size());
        peakNicks = std::max(peakNicks, view.ircLijst.size());
        peakQueue = std::max(peakQueue, app.irc.queue.size());
    }
    platform.advance(600000);
    collect(arrived);
    std::printf("peak sizes: output window %zu bytes, ignore list %zu, nick list %zu, queue %zu\n",
                peakOutput, peakIgnore, peakNicks, peakQueue);
    EXPECT_EQ(arrived, expected);
    EXPECT_GT(expected.size(), 150u);
    EXPECT_LE(peakOutput, 10000u);
    EXPECT_LE(peakIgnore, 50u);
    EXPECT_LE(peakNicks, 50u);
    EXPECT_LE(peakQueue, 200u);
}

}  // namespace
}  // namespace fc::test
