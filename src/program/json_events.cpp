#include "program/json_events.h"

#include <cstdio>

#include "core/browser_view.h"
#include "core/irc_session.h"
#include "core/server_vars.h"
#include "core/view_model.h"

namespace fc {

std::string JsonString(const std::string& bytes) {
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

void Member(std::string& out, const char* name, const std::string& value) {
    out += ",\"";
    out += name;
    out += "\":";
    out += JsonString(value);
}

}  // namespace

std::string ReplyEventJson(const MainView& v) {
    std::string out = "{\"event\":\"reply\"";
    Member(out, "gameFamily", FamilyText(v.gameFamily));
    Member(out, "gameType", std::string(GameTypeCode(v.gameType)));
    Member(out, "qsGame", v.qsGame);
    Member(out, "qsMap", v.qsMap);
    Member(out, "qsTimeLeft", v.qsTimeLeft);
    Member(out, "qsRed", v.qsRed);
    Member(out, "qsBlue", v.qsBlue);
    Member(out, "txtnaamRED", v.txtnaamRED);
    Member(out, "txtnaamBLUE", v.txtnaamBLUE);
    out += ",\"matchState\":" + std::to_string(static_cast<int>(v.matchState));
    Member(out, "PlayersPlaying", v.PlayersPlaying);
    Member(out, "PlayersMax", v.PlayersMax);
    out += ",\"players\":[";
    bool first = true;
    for (const PlayerRow& row : v.spelerLijst) {
        if (!first) out += ',';
        first = false;
        out += "{\"name\":" + JsonString(row.name);
        Member(out, "score", Strip160(row.score));
        Member(out, "ping", Strip160(row.ping));
        Member(out, "team", row.team);
        out += '}';
    }
    out += "]}";
    return out;
}

std::string InterpEventJson(const MainView& v) {
    std::string out = "{\"event\":\"interp\"";
    Member(out, "InterpSupport", v.InterpSupport);
    Member(out, "InterpVersion", v.InterpVersion);
    Member(out, "InterpAuthor", v.InterpAuthor);
    Member(out, "InterpEmail", v.InterpEmail);
    Member(out, "StatRed", v.StatRed);
    Member(out, "StatBlue", v.StatBlue);
    Member(out, "qsRed", v.qsRed);
    Member(out, "qsBlue", v.qsBlue);
    Member(out, "qsTimeLeft", v.qsTimeLeft);
    out += ",\"matchState\":" + std::to_string(static_cast<int>(v.matchState));
    out += '}';
    return out;
}

std::string OutputEventJson(const std::string& text) {
    return "{\"event\":\"output\",\"text\":" + JsonString(text) + "}";
}

const char* FateText(LineFate fate) {
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

std::string ReportEventJson(const std::string& target, const std::string& text, LineFate fate) {
    return "{\"event\":\"report\",\"target\":" + JsonString(target) +
           ",\"text\":" + JsonString(text) + ",\"fate\":\"" + FateText(fate) + "\"}";
}

std::string IrcLineEventJson(const std::string& state, const std::string& nick,
                             const SaidLine& line, LineFate fate) {
    std::string out = "{\"event\":\"irc\"";
    Member(out, "state", state);
    Member(out, "nick", nick);
    Member(out, "fate", FateText(fate));
    Member(out, "target", line.target);
    Member(out, "text", line.message);
    Member(out, "saidAt", line.saidAt);
    return out + "}";
}

std::string IrcEventJson(const std::string& state, const std::string& nick) {
    return "{\"event\":\"irc\",\"state\":" + JsonString(state) + ",\"nick\":" + JsonString(nick) +
           "}";
}

std::string MessageEventJson(const std::string& title, const std::string& text) {
    return "{\"event\":\"message\",\"title\":" + JsonString(title) +
           ",\"text\":" + JsonString(text) + "}";
}

std::string PreviewEventJson(const std::string& line, const std::string& rtf) {
    return "{\"event\":\"preview\",\"line\":" + JsonString(line) + ",\"rtf\":" + JsonString(rtf) +
           "}";
}

std::string RowEventJson(const ServerRow& row) {
    std::string out = "{\"event\":\"row\"";
    Member(out, "name", row.name);
    Member(out, "players", row.players);
    Member(out, "map", row.map);
    Member(out, "top", row.top);
    Member(out, "server", row.server);
    return out + "}";
}

std::string StatusEventJson(const std::string& text) {
    return "{\"event\":\"status\",\"text\":" + JsonString(text) + "}";
}

}  // namespace fc
