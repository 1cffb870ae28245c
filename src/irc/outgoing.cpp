#include "irc/outgoing.h"

#include <algorithm>
#include <cstdint>

#include "core/app.h"
#include "irc/held_lines.h"
#include "irc/irc_connection.h"
#include "irc/send_queue.h"
#include "irc/text_encoding.h"

namespace fc {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Room for the text of a line once its CR LF is counted.
constexpr std::size_t kLineBody = kIrcLineLimit - 2;

}  // namespace

std::string withoutLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\r' && c != '\n' && c != '\0') out += c;
    }
    return out;
}

std::string fitIrcLine(std::string_view line) {
    std::string body = withoutLineBreaks(line);
    if (body.size() > kLineBody) body.resize(kLineBody);
    return body;
}

std::string sendIrcLine(App& app, std::string_view line, LineKind kind) {
    std::string body = fitIrcLine(line);
    queueIrcLine(app, QueuedLine{body, kind, false, "", {}});
    return body;
}

std::string removeColorCodes(std::string_view message) {
    std::string out;
    out.reserve(message.size());
    for (std::size_t i = 0; i < message.size(); ++i) {
        if (message[i] != kIrcColour) {
            out += message[i];
            continue;
        }
        if (i + 1 < message.size() && isDigit(message[i + 1])) {
            ++i;
            if (i + 1 < message.size() && isDigit(message[i + 1])) ++i;
        }
    }
    return out;
}

std::string removeFontCodes(std::string_view message) {
    std::string out;
    out.reserve(message.size());
    for (char c : message) {
        if (c != kIrcBold && c != kIrcUnderline && c != kIrcReverse) out += c;
    }
    return out;
}

QueuedLine channelLine(const App& app, const SaidLine& said, std::string text) {
    const std::string head = "PRIVMSG " + withoutLineBreaks(said.target) + " :";
    text = withoutLineBreaks(text);
    // Cut here rather than in sendIrcLine, so that the echo shows what the channel got.
    // Cut by the size the line has on the wire, between characters.
    const bool utf8 = sendsUtf8(app);
    const std::size_t headSize = utf8 ? toUtf8(head).size() : head.size();
    text.resize(fittingBytes(text, kLineBody - std::min(headSize, kLineBody), utf8));
    return QueuedLine{fitIrcLine(head + text), LineKind::Main, true,
                      "<" + app.irc.botNick + "> " + text, said};
}

void IrcLineSink::sayInChannel(const std::string& target, const std::string& message,
                               ReportKind kind) {
    App& app = app_;
    const IrcSession& s = app.irc;
    std::string text = message;
    if (app.settings.ircRemoveColors) text = removeColorCodes(text);
    if (app.settings.ircRemoveFontCodes) text = removeFontCodes(text);
    const SaidLine said{target, message, text, kind, app.platform.nowMs(), timeOfDay(app)};
    // The socket may already be gone before the loss is handled: such a line waits too. The
    // operator's chat is his to repeat: it goes whenever connected, as typed, or not at all.
    const bool typed = kind == ReportKind::Typed;
    LineFate fate = LineFate::Unsent;
    if (!app.settings.reportToIrc) {
        fate = LineFate::Off;
    } else if ((s.inChannel || typed) && ircConnected(app)) {
        fate = LineFate::Sent;
    } else if (s.wanted && !typed) {
        fate = LineFate::Held;
    }
    app.notifyReportSaid(target, message);
    app.notifyReportFate(said, fate, true);
    if (fate == LineFate::Sent) {
        queueIrcLine(app, channelLine(app, said, text));  // counted and echoed when it leaves
    } else if (fate == LineFate::Held) {
        holdLine(app, channelLine(app, said, text));
    }
}

}  // namespace fc
