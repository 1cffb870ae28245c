// Connecting, registering and joining, the server's lines and the operator's console, from a
// case file; the receive loop's bound and the reading of a line.
#include "irc/irc_line.h"
#include "irc/session.h"
#include "irc_fixture.h"

namespace fc::test {
namespace {

FC_SESSIONS(IrcConnection, "irc/cases/connection.txt")

using IrcConnectionTest = IrcTest;

TEST_F(IrcConnectionTest, ALineThatNeverEndsIsDroppedNotHoarded) {
    connect();
    receive(":irc.test NOTICE FCST :" + std::string(16384, 'x'));
    const Lines lines = shown();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("*** Line from server longer than 16384 bytes dropped: :irc", 0), 0u);
    EXPECT_TRUE(app.irc.partialLine.empty());
    receive(std::string(100000, 'y') + "PING :tail\r\nPING :next\r\n");  // the rest is passed over
    EXPECT_EQ(sent(), (Lines{"PONG :next"}));
}

TEST(IrcStatus, SocketStatesAsTheOperatorReadsThem) {
    const std::pair<SocketState, const char*> states[] = {
        {SocketState::ResolvingHost, "Searching hostname..."},
        {SocketState::Closing, "Disconnected"},
        {SocketState::HostResolved, "Unkown error:  5!"},
        {SocketState::Open, "Unkown error:  1!"}};
    for (const auto& [state, text] : states) EXPECT_EQ(IrcStatusText(state), text);
}

// Sender, command and parameters, joined by "|"; the "!" in a server's text is no nick's end.
TEST(IrcLine, SplitsPrefixCommandAndParams) {
    const std::pair<const char*, const char*> splits[] = {
        {":nick!~u@host PRIVMSG #c :hi! there\r\n", "nick|PRIVMSG|#c :hi! there\r\n"},
        {":irc.test NOTICE FCST :hello!\r\n", "irc.test|NOTICE|FCST :hello!\r\n"},
        {":nick!u@h QUIT\r\n", "nick|QUIT|"},
        {":x", "x||"},
        {" PING :x!y", "|PING|:x!y"}};  // no prefix at all
    for (const auto& [line, parts] : splits) {
        const IrcLine l = SplitIrcLine(line);
        EXPECT_EQ(l.sender + "|" + l.command + "|" + l.params, parts);
    }
    for (const char* line : {":a!b@c 353 x = #y :z", "ERROR :Closing link"})
        EXPECT_TRUE(IsReadableIrcLine(line)) << line;
    for (const char* line : {": PRIVMSG x", ":a 12 x", "PRIV-MSG x"})
        EXPECT_FALSE(IsReadableIrcLine(line)) << line;
}

}  // namespace
}  // namespace fc::test
