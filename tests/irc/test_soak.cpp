// Six 20-minute matches, ten thousand channel lines, queries from 50 nicks, two lost connections:
// every report line said in the channel reaches the socket in order; nothing grows without end.
#include <algorithm>
#include <cstdio>

#include "irc_fixture.h"

namespace fc::test {
namespace {

TEST_F(IrcTest, SoakOfAnEveningStaysBoundedAndLosesNoReportLine) {
    app.settings.ircLineGapMs = "2000";
    app.monitor.playerRows.assign(16, PlayerRow{"player", "1", "50", "Red", RowColour::Red});
    std::vector<std::string> expected, arrived;
    connectIrc(app);
    std::size_t peak[4] = {};  // output window, ignore list, nick list, queue
    for (int second = 0; second < 6 * 20 * 60; ++second) {
        if (socket().state() == SocketState::Connecting) {
            socket().accept();
            receive(":irc.test 376 FCST :End\r\n:FCST!u@h JOIN :#FCST\r\n");
        }
        const std::string from = ":n" + std::to_string(second % 50) + "!u@h ";
        receive(from + (second % 7 ? "PART #FCST\r\n" : "JOIN :#FCST\r\n"));
        for (int i = 0; i < 2 && second < 5000; ++i)
            receive(from + "PRIVMSG #FCST :line " + std::to_string(second) + "\r\n");
        if (second % 3 == 0) receive(from + "PRIVMSG FCST :!players\r\n");
        if (second % 40 == 0 && ircConnected(app)) {
            expected.push_back("PRIVMSG #FCST :capture " + std::to_string(second));
            sayInChannel(app, "#FCST", "capture " + std::to_string(second));
        }
        if (second == 2010 || second == 5010) socket().peerClose();
        platform.advance(second == 7199 ? 600000 : 1000);
        for (const std::string& line : sent())
            if (line.starts_with("PRIVMSG #FCST :capture ")) arrived.push_back(line);
        const std::size_t now[4] = {app.irc.ircOutput.size(), app.irc.ignoreList.size(),
                                    app.irc.channelNicks.size(), app.irc.queue.size()};
        for (int i = 0; i < 4; ++i) peak[i] = std::max(peak[i], now[i]);
    }
    std::printf("peak sizes: output window %zu bytes, ignore list %zu, nick list %zu, queue %zu\n",
                peak[0], peak[1], peak[2], peak[3]);
    EXPECT_EQ(arrived, expected);
    EXPECT_GT(expected.size(), 150u);
    const std::size_t limit[4] = {10000, 50, 50, 200};
    for (int i = 0; i < 4; ++i) EXPECT_LE(peak[i], limit[i]) << i;
}

}  // namespace
}  // namespace fc::test
