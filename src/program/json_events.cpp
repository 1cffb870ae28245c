#include "program/json_events.h"

#include <cstdio>

#include "core/app.h"
#include "core/browser_view.h"
#include "core/irc_session.h"
#include "core/server_vars.h"
#include "program/shown_status.h"

namespace fc {

std::string jsonString(const std::string& bytes) {
    std::string out = "\"";
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else if (c < 0x80) {
                    out += static_cast<char>(c);
                } else {  // Latin-1 code point, written as UTF-8
                    out += static_cast<char>(0xC0 | (c >> 6));
                    out += static_cast<char>(0x80 | (c & 0x3F));
                }
        }
    }
    out += '"';
    return out;
}

namespace {

void member(std::string& out, const char* name, const std::string& value) {
    out += ",\"";
    out += name;
    out += "\":";
    out += jsonString(value);
}

}  // namespace

std::string replyEventJson(const App& app) {
    const ShownStatus shown = showStatus(app);
    std::string out = "{\"event\":\"reply\"";
    member(out, "gameFamily", familyText(app.monitor.gameFamily));
    member(out, "gameType", std::string(gameTypeCode(app.monitor.gameType)));
    member(out, "qsGame", shown.game);
    member(out, "qsMap", shown.map);
    member(out, "qsTimeLeft", shown.timeLeft);
    member(out, "qsRed", shown.redScore);
    member(out, "qsBlue", shown.blueScore);
    member(out, "txtnaamRED", shown.redTeamName);
    member(out, "txtnaamBLUE", shown.blueTeamName);
    out += ",\"matchState\":" + std::to_string(static_cast<int>(app.match.matchState));
    member(out, "PlayersPlaying", shown.playersPlaying);
    member(out, "PlayersMax", shown.playersMax);
    out += ",\"players\":[";
    bool first = true;
    for (const PlayerRow& row : *shown.players) {
        if (!first) out += ',';
        first = false;
        out += "{\"name\":" + jsonString(row.name);
        member(out, "score", stripNonBreakingSpaces(row.score));
        member(out, "ping", stripNonBreakingSpaces(row.ping));
        member(out, "team", row.team);
        out += '}';
    }
    out += "]}";
    return out;
}

std::string interpEventJson(const App& app) {
    std::string out = "{\"event\":\"interp\"";
    member(out, "InterpSupport", app.interp.interpSupport);
    member(out, "InterpVersion", app.interp.interpVersion);
    member(out, "InterpAuthor", app.interp.interpAuthor);
    member(out, "InterpEmail", app.interp.interpEmail);
    member(out, "StatRed", app.interp.redFlagWhere);
    member(out, "StatBlue", app.interp.blueFlagWhere);
    const ShownStatus shown = showStatus(app);
    member(out, "qsRed", shown.redScore);
    member(out, "qsBlue", shown.blueScore);
    member(out, "qsTimeLeft", shown.timeLeft);
    out += ",\"matchState\":" + std::to_string(static_cast<int>(app.match.matchState));
    out += '}';
    return out;
}

std::string outputEventJson(const std::string& text) {
    return "{\"event\":\"output\",\"text\":" + jsonString(text) + "}";
}

const char* fateText(LineFate fate) {
    switch (fate) {
        case LineFate::Sent:
            return "sent";
        case LineFate::Held:
            return "held";
        case LineFate::Late:
            return "late";
        case LineFate::Dropped:
            return "dropped";
        case LineFate::Off:
            return "off";
        case LineFate::Unsent:
            return "none";
    }
    return "none";
}

std::string reportEventJson(const std::string& target, const std::string& text, LineFate fate) {
    return "{\"event\":\"report\",\"target\":" + jsonString(target) +
           ",\"text\":" + jsonString(text) + ",\"fate\":\"" + fateText(fate) + "\"}";
}

std::string ircLineEventJson(const std::string& state, const std::string& nick,
                             const SaidLine& line, LineFate fate) {
    std::string out = "{\"event\":\"irc\"";
    member(out, "state", state);
    member(out, "nick", nick);
    member(out, "fate", fateText(fate));
    member(out, "target", line.target);
    member(out, "text", line.message);
    member(out, "saidAt", line.saidAt);
    return out + "}";
}

std::string ircEventJson(const std::string& state, const std::string& nick,
                         const std::string& login) {
    return "{\"event\":\"irc\",\"state\":" + jsonString(state) + ",\"nick\":" + jsonString(nick) +
           ",\"login\":" + jsonString(login) + "}";
}

std::string messageEventJson(const std::string& title, const std::string& text) {
    return "{\"event\":\"message\",\"title\":" + jsonString(title) +
           ",\"text\":" + jsonString(text) + "}";
}

std::string previewEventJson(const std::string& line, const std::string& rtf) {
    return "{\"event\":\"preview\",\"line\":" + jsonString(line) + ",\"rtf\":" + jsonString(rtf) +
           "}";
}

std::string rowEventJson(const ServerRow& row) {
    std::string out = "{\"event\":\"row\"";
    member(out, "name", row.name);
    member(out, "players", row.players);
    member(out, "map", row.map);
    member(out, "top", row.top);
    member(out, "server", row.server);
    return out + "}";
}

std::string statusEventJson(const std::string& text) {
    return "{\"event\":\"status\",\"text\":" + jsonString(text) + "}";
}

std::string webhookEventJson(const WebhookNews& news) {
    std::string out = "{\"event\":\"webhook\"";
    member(out, "state", news.what);
    out +=
        ",\"status\":" + std::to_string(news.status) + ",\"lines\":" + std::to_string(news.lines);
    member(out, "host", news.host);
    if (news.what == "retry") {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.3f", news.retrySeconds);
        out += ",\"retryAfter\":" + std::string(seconds);
    }
    if (!news.error.empty()) member(out, "error", news.error);
    return out + "}";
}

}  // namespace fc
