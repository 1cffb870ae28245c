#include "irc/outgoing.h"

#include <algorithm>
#include <cstdint>

#include "core/app.h"
#include "irc/irc_connection.h"
#include "irc/send_queue.h"

namespace fc {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Room for the text of a line once its CR LF is counted.
constexpr std::size_t kLineBody = kIrcLineLimit - 2;

}  // namespace

std::string WithoutLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\r' && c != '\n' && c != '\0') out += c;
    }
    return out;
}

std::string FitIrcLine(std::string_view line) {
    std::string body = WithoutLineBreaks(line);
    if (body.size() > kLineBody) body.resize(kLineBody);
    return body;
}

std::string SendIrcLine(App& app, std::string_view line, LineKind kind) {
    std::string body = FitIrcLine(line);
    QueueIrcLine(app, QueuedLine{body, kind, false, ""});
    return body;
}

std::string RemoveColorCodes(std::string_view message) {
    std::string out;
    out.reserve(message.size());
    for (std::size_t i = 0; i < message.size(); ++i) {
        if (message[i] != kIrcColour) {
            out += message[i];
            continue;
        }
        if (i + 1 < message.size() && IsDigit(message[i + 1])) {
            ++i;
            if (i + 1 < message.size() && IsDigit(message[i + 1])) ++i;
        }
    }
    return out;
}

std::string RemoveFontCodes(std::string_view message) {
    std::string out;
    out.reserve(message.size());
    for (char c : message) {
        if (c != kIrcBold && c != kIrcUnderline && c != kIrcReverse) out += c;
    }
    return out;
}

void IrcLineSink::stuurMSG(const std::string& target, const std::string& message) {
    App& app = app_;
    app.notifyReportSaid(target, message);
    MainView& v = app.view;
    if (!v.ReportToIrc) return;
    std::string text = message;
    if (v.IRCRemoveColors) text = RemoveColorCodes(text);
    if (v.IRCRemoveFontCodes) text = RemoveFontCodes(text);
    if (!IrcConnected(app)) return;

    const std::string head = "PRIVMSG " + WithoutLineBreaks(target) + " :";
    text = WithoutLineBreaks(text);
    // Cut here rather than in SendIrcLine, so that the echo shows what the channel got.
    text.resize(std::min(text.size(), kLineBody - std::min(head.size(), kLineBody)));
    // Counted and echoed when it is handed to the socket, so the window shows what has left.
    QueueIrcLine(app, QueuedLine{FitIrcLine(head + text), LineKind::Main, true,
                                 "<" + v.botNick + "> " + text});
}

}  // namespace fc
