// The one exit for lines said in the channel. Announcements, capture lines, the periodic report,
// the match-control lines and the event feed's lines all leave through it; the IRC subsystem
// provides the sink and the wiring installs it, so deciding what to say never depends on how
// it is said.
#pragma once

#include <string>

namespace fc {

class App;

// What a line is worth when the bot cannot say it now (away from its channel) and too many
// wait: the IRC side keeps the newest periodic report only, and gives up the Interp feed's and
// the periodic lines before any other, a match's begin, a capture and a final score never.
enum class ReportKind {
    Essential,  // a match's begin, a capture, the end with its final score
    Event,      // the other match lines: pauses, continues, a stop
    Periodic,   // the score report said at an interval
    Interp,     // the Interp feed's flag, power-up and server lines
    Typed,      // the operator's own chat: said now or not at all
};

// What became of a request to the chat room's webhook: "sent", "retry" (the room limits the
// rate: the lines go again after `retrySeconds`) or "failed" (said once, until it works again).
struct WebhookNews {
    std::string what;
    int status = 0;  // the HTTP status; 0 when no answer came
    int lines = 0;   // the lines the request carried
    double retrySeconds = 0;
    std::string host;  // the webhook's host only: its address holds a secret
    std::string error;
};

class LineSink {
public:
    virtual ~LineSink() = default;
    virtual void sayInChannel(const std::string& target, const std::string& message,
                              ReportKind kind) = 0;
    // Lines are still on their way somewhere that is not failing: closing gives them a moment.
    virtual bool delivering() const { return false; }
};

// Says a line to `target` through the App's sink; nothing when no sink is installed.
void sayInChannel(App& app, const std::string& target, const std::string& message,
                  ReportKind kind = ReportKind::Event);

}  // namespace fc
