#include "irc/channel_nicks.h"

#include <algorithm>

#include "core/app.h"
#include "irc/irc_line.h"

namespace fc {

namespace {

std::vector<std::string>::iterator findEntry(App& app, std::string_view nick) {
    std::vector<std::string>& nicks = app.irc.channelNicks;
    return std::find_if(nicks.begin(), nicks.end(), [&](const std::string& entry) {
        return sameName(app, entryNick(app, entry), nick);
    });
}

// Gives or takes one status mark, the marks kept in the server's order of rank.
void setMark(App& app, std::string_view nick, char mode, bool on) {
    const IrcServerTraits& t = app.irc.server;
    const std::size_t rank = t.prefixModes.find(mode);
    const auto entry = findEntry(app, nick);
    if (rank >= t.prefixSymbols.size() || entry == app.irc.channelNicks.end()) return;
    const std::string name(entryNick(app, *entry));
    std::string marks = entry->substr(0, entry->size() - name.size());
    std::erase(marks, t.prefixSymbols[rank]);
    if (on) marks += t.prefixSymbols[rank];
    std::ranges::sort(marks, {}, [&](char c) { return t.prefixSymbols.find(c); });
    *entry = marks + name;
}

}  // namespace

bool sameName(const App& app, std::string_view a, std::string_view b) {
    const std::string& mapping = app.irc.server.caseMapping;
    return a.size() == b.size() && foldCase(a, mapping) == foldCase(b, mapping);
}

bool isBot(const App& app, std::string_view nick) {
    return sameName(app, nick, app.irc.botNick);
}

bool isBotChannel(const App& app, std::string_view channel) {
    return !channel.empty() && sameName(app, channel, app.irc.botChannel);
}

std::string_view entryNick(const App& app, std::string_view entry) {
    const std::size_t nick = entry.find_first_not_of(app.irc.server.prefixSymbols);
    return nick == std::string_view::npos ? std::string_view() : entry.substr(nick);
}

void takeServerTraits(App& app, const IrcLine& line) {
    IrcServerTraits& t = app.irc.server;
    // The first parameter is the bot's nick, the last a text for people.
    for (std::size_t i = 1; i + 1 < line.args.size(); ++i) {
        const std::string& token = line.args[i];
        const std::size_t equals = token.find('=');
        const std::string key = token.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : token.substr(equals + 1);
        if (key == "CASEMAPPING" && !value.empty()) t.caseMapping = value;
        if (key == "UTF8ONLY") t.utf8Only = true;
        const std::size_t close = value.find(')');
        if (key == "PREFIX" && value.starts_with('(') && close != std::string::npos) {
            t.prefixModes = value.substr(1, close - 1);
            t.prefixSymbols = value.substr(close + 1);
        }
        if (key == "CHANMODES") {
            // Lists, then modes with a parameter, then those with one only when set, then none.
            const std::size_t c1 = value.find(','), c2 = value.find(',', c1 + 1);
            const std::size_t c3 = value.find(',', c2 + 1);
            if (c2 == std::string::npos) continue;
            t.paramModes = value.substr(0, c1) + value.substr(c1 + 1, c2 - c1 - 1);
            t.setParamModes = value.substr(c2 + 1, c3 == std::string::npos ? c3 : c3 - c2 - 1);
        }
    }
}

void takeNames(App& app, const IrcLine& line) {
    // "353 bot = #channel :@op +voiced plain"
    if (!isBotChannel(app, line.arg(2))) return;
    const std::string& names = line.arg(3);
    for (std::size_t at = 0; at < names.size();) {
        const std::size_t blank = std::min(names.find(' ', at), names.size());
        if (blank > at) app.irc.namesComing.push_back(names.substr(at, blank - at));
        at = blank + 1;
    }
}

void namesEnd(App& app, const IrcLine& line) {
    if (!isBotChannel(app, line.arg(1))) return;
    app.irc.channelNicks = std::exchange(app.irc.namesComing, {});
}

void addNick(App& app, const std::string& nick) {
    if (findEntry(app, nick) == app.irc.channelNicks.end()) app.irc.channelNicks.push_back(nick);
}

void removeNick(App& app, std::string_view nick) {
    const auto entry = findEntry(app, nick);
    if (entry != app.irc.channelNicks.end()) app.irc.channelNicks.erase(entry);
}

void renameNick(App& app, std::string_view from, const std::string& to) {
    const auto entry = findEntry(app, from);
    if (entry == app.irc.channelNicks.end()) return;
    *entry = entry->substr(0, entry->size() - entryNick(app, *entry).size()) + to;
}

void applyChannelModes(App& app, const IrcLine& line) {
    // "MODE #channel +o-v+l a b 10"
    if (!isBotChannel(app, line.arg(0))) return;
    const IrcServerTraits& t = app.irc.server;
    bool on = true;
    std::size_t next = 2;
    for (const char mode : line.arg(1)) {
        if (mode == '+' || mode == '-') {
            on = mode == '+';
        } else if (t.prefixModes.find(mode) != std::string::npos) {
            setMark(app, line.arg(next++), mode, on);
        } else if (t.paramModes.find(mode) != std::string::npos ||
                   (on && t.setParamModes.find(mode) != std::string::npos)) {
            ++next;
        }
    }
}

}  // namespace fc
