// The parts of the connection that case files cannot write well: the line splitter, the
// status texts of every socket state, and a line too long for any file.
#include "irc/irc_line.h"
#include "irc_fixture.h"

namespace fc::test {
namespace {

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

TEST(IrcStatus, EveryStateHasItsText) {
    const std::pair<SocketState, const char*> states[] = {
        {SocketState::Closed, "Not connected"},
        {SocketState::ResolvingHost, "Searching hostname..."},
        {SocketState::Connecting, "Connecting..."},
        {SocketState::Connected, "Connected!"},
        {SocketState::Closing, "Disconnected"},
        {SocketState::Error, "Server or hostname not found"},
        {SocketState::HostResolved, "Unkown error:  5!"},
        {SocketState::Open, "Unkown error:  1!"}};
    for (const auto& [state, text] : states) EXPECT_EQ(IrcStatusText(state), text);
}

TEST_F(IrcTest, ALineThatNeverEndsIsDroppedNotHoarded) {
    connect();
    receive(":irc.test NOTICE FCST :" + std::string(16384, 'x'));
    const Lines lines = shown();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("*** Line from server longer than 16384 bytes dropped: :irc", 0), 0u);
    EXPECT_TRUE(app.irc.partialLine.empty());
    receive(std::string(100000, 'y') + "PING :tail\r\nPING :next\r\n");  // the rest is passed over
    EXPECT_EQ(sent(), (Lines{"PONG :next"}));
}

}  // namespace
}  // namespace fc::test
