// The one way lines are said in the channel, the raw sending of lines, and the IRC text
// control characters the program writes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/irc_session.h"
#include "core/line_sink.h"

namespace fc {

class App;

inline constexpr char kIrcBold = '\x02';
inline constexpr char kIrcColour = '\x03';
inline constexpr char kIrcUnderline = '\x1F';
inline constexpr char kIrcReverse = '\x16';
inline constexpr char kIrcPlain = '\x0F';
inline constexpr char kCtcp = '\x01';

// The longest line a server takes, CR LF included.
inline constexpr std::size_t kIrcLineLimit = 512;

// Removes CR, LF and NUL: whatever a text holds (a player's name, a topic, typed chat), it
// cannot end the line it is put into and start a command of its own.
std::string withoutLineBreaks(std::string_view text);

// A line made safe by withoutLineBreaks and cut to fit the limit with its CR LF: a notice or a
// CTCP reply is cut, never split into two.
std::string fitIrcLine(std::string_view line);

// Sends one line through the send queue, in the lane of its kind. No check of the
// connection: callers that need one make it. Returns the line as it will be sent.
std::string sendIrcLine(App& app, std::string_view line, LineKind kind = LineKind::Main);

// The PRIVMSG of a line said in the channel with `text` (the said text, or it with the time it
// was said), cut to fit; counted and echoed when it leaves.
QueuedLine channelLine(const App& app, const SaidLine& said, std::string text);

// Each colour code with up to two digits after it.
std::string removeColorCodes(std::string_view message);
// Every bold, underline and reverse code.
std::string removeFontCodes(std::string_view message);

// The channel's sink for lines. Says a line to `target` (the channel): applies the stripping
// options, obeys "Report to IRC?", sends it as a PRIVMSG while the bot is in its channel, keeps
// it while a connection is wanted and the bot is away, counts it and echoes it in the output
// window when it leaves.
class IrcLineSink final : public LineSink {
public:
    explicit IrcLineSink(App& app) : app_(app) {}
    void sayInChannel(const std::string& target, const std::string& message,
                      ReportKind kind) override;

private:
    App& app_;
};

}  // namespace fc
