#include "monitor/player_list.h"

#include <algorithm>
#include <string_view>

#include "core/app.h"
#include "core/server_vars.h"
#include "core/text_util.h"

namespace fc {

namespace {

constexpr char kNonBreakingSpace = '\xA0';

struct TeamLists {
    bool fromServer = false;
    std::string red;  // " 1 3 ": the row numbers the server puts on each side
    std::string blue;
};

void setTeam(PlayerRow& row, const char* team, RowColour colour) {
    row.team = team;
    row.colour = colour;
}

const MemberLists& membersOf(App& app) {
    MemberLists& members = app.memory.members;
    members.red.use(app.match.redMembers);
    members.blue.use(app.match.blueMembers);
    members.marked.use(app.match.markedPlayers);
    return members;
}

void assignTeam(const App& app, const TeamLists& lists, const MemberLists& members, int rowNumber,
                PlayerRow& row) {
    if (lists.fromServer) {
        const std::string number = " " + plainNumber(rowNumber) + " ";
        if (textContains(lists.red, number)) {
            setTeam(row, "Red", RowColour::Red);
        } else if (textContains(lists.blue, number)) {
            setTeam(row, "Blue", RowColour::Blue);
        } else {
            setTeam(row, kTeamSpectators, RowColour::Grey);
        }
        return;
    }
    if (app.match.teamsKnown) {
        if (members.red.holds(row.name)) {
            setTeam(row, "Red", RowColour::Red);
        } else if (members.blue.holds(row.name)) {
            setTeam(row, "Blue", RowColour::Blue);
        } else {
            setTeam(row, kTeamSpectators, RowColour::Grey);
        }
        return;
    }
    row.team.clear();
    row.colour = members.marked.holds(row.name) ? RowColour::Grey : RowColour::Black;
}

// Writes a column of a player line into `out` without its double quotes (wherever they stand)
// and, for Quake 3, without the colour codes of what is left: a "^" and the character after it.
void assignColumn(std::string& out, std::string_view column, bool withoutColours) {
    out.resize(column.size());
    char* const to = out.data();
    std::size_t n = 0;
    bool dropNext = false;
    for (const char c : column) {
        if (c == '"') continue;
        if (dropNext) {
            dropNext = false;
        } else if (withoutColours && c == '^') {
            dropNext = true;
        } else {
            to[n++] = c;
        }
    }
    out.resize(n);
}

// A column value padded to four characters with leading non-breaking spaces.
void padColumnInto(std::string& out, std::string_view value) {
    const std::size_t pad = value.size() < 4 ? 4 - value.size() : 0;
    out.resize(pad + value.size());
    char* const to = out.data();
    for (std::size_t i = 0; i < pad; ++i) to[i] = kNonBreakingSpace;
    value.copy(to + pad, value.size());
}

// Where the line starting at `pos` ends: at the next CR or LF, or at the end of the text.
// Most replies hold no CR at all: then only the LFs are looked for.
std::size_t lineEnd(std::string_view text, std::size_t pos, bool holdsCarriageReturns) {
    const std::size_t lineFeed = std::min(text.find('\n', pos), text.size());
    if (!holdsCarriageReturns) return lineFeed;
    return std::min(text.substr(0, lineFeed).find('\r', pos), lineFeed);
}

// A player line cut at its first two blanks: the score before the first, the ping between
// them and the name after the second (blanks and all). A line with one blank has no name, one
// without a blank only a score.
struct LineParts {
    std::string_view score;
    std::string_view ping;
    std::string_view name;
    bool named = false;  // there is a second blank
};

LineParts cutPlayerLine(std::string_view line) {
    LineParts parts;
    const std::size_t first = line.find(' ');
    parts.score = line.substr(0, first);
    if (first == std::string_view::npos) return parts;
    const std::size_t second = line.find(' ', first + 1);
    parts.ping =
        line.substr(first + 1, second == std::string_view::npos ? second : second - first - 1);
    if (second == std::string_view::npos) return parts;
    parts.name = line.substr(second + 1);
    parts.named = true;
    return parts;
}

// The score and the name as the line sends them: before the first blank, after the second.
void sentFields(const LineParts& parts, std::string& score, std::string& name) {
    score.assign(parts.score);
    if (parts.named) {
        name.assign(parts.name);
    } else {
        name.clear();
    }
}

// The score and the name as the line reads once its colour codes are taken out (a "^" takes
// even a blank along): before the first blank left, after the second.
void plainFields(std::string_view line, std::string& score, std::string& name) {
    score.resize(line.size());
    name.resize(line.size());
    std::size_t scoreLength = 0;
    std::size_t nameLength = 0;
    int blanks = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '^') {
            ++i;  // the code character goes too; a trailing "^" goes alone
        } else if (blanks == 2) {
            name[nameLength++] = c;
        } else if (c == ' ') {
            ++blanks;
        } else if (blanks == 0) {
            score[scoreLength++] = c;
        }
    }
    score.resize(scoreLength);
    name.resize(nameLength);
}

// Copies a text that is usually the same already.
void takeText(std::string& to, const std::string& from) {
    if (to != from) to = from;
}

// The column as a text without quotes: the column itself when it holds none.
std::string_view unquotedColumn(std::string_view column, std::string& room) {
    if (column.find('"') == std::string_view::npos) return column;
    assignColumn(room, column, false);
    return room;
}

}  // namespace

void takeTeamsFromRows(App& app) {
    std::vector<StatusPlayer>& players = app.status.players;
    const std::vector<PlayerRow>& rows = app.monitor.playerRows;
    if (players.size() != rows.size()) return;
    if (app.window.playerRowsSortColumn < 0) {
        for (std::size_t i = 0; i < players.size(); ++i) {
            if (players[i].team != rows[i].team) players[i].team = rows[i].team;
        }
        return;
    }
    // The operator sorts the rows: each player finds its own row.
    std::vector<bool> taken(rows.size());
    for (StatusPlayer& player : players) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const PlayerRow& row = rows[i];
            if (taken[i] || row.name != player.name || columnNumber(row.score) != player.score ||
                columnNumber(row.ping) != player.ping) {
                continue;
            }
            taken[i] = true;
            player.team = row.team;
            break;
        }
    }
}

std::string padColumn(const std::string& value) {
    std::string padded;
    padColumnInto(padded, value);
    return padded;
}

void fillPlayerList(App& app, const std::string& reply) {
    if (reply.empty()) {
        app.status.players.clear();
        app.monitor.playerRows.clear();
        app.monitor.playerRows.push_back(
            PlayerRow{"No server found!", "", "", "", RowColour::Black});
        app.monitor.gameFamily = GameFamily::None;
        ++app.window.playerRowsRedraws;
        return;
    }
    const ServerStatus& status = app.status;
    std::vector<StatusPlayer>& players = app.status.players;
    std::vector<PlayerRow>& rows = app.monitor.playerRows;
    TeamLists lists;
    lists.red = " " + status.variable("Players_Red") + " ";
    lists.blue = " " + status.variable("Players_Blue") + " ";
    lists.fromServer = !trimBlanks(lists.red).empty() || !trimBlanks(lists.blue).empty();
    if (lists.fromServer) {
        app.match.markedPlayers.clear();
        app.match.teamsKnown = true;
    }
    const bool quake3 = app.monitor.gameFamily == GameFamily::Q3;
    const MemberLists& members = membersOf(app);

    // Line by line: a CR and an LF each end a line; the header and the variables (the first
    // two lines) are passed over, and every later line that ends is a player line. The rows
    // and the status's players are reused, their texts keeping their room from reply to reply.
    const std::string_view text(reply);
    std::string& column = app.memory.scratch.column;
    std::vector<ReadLine>& readLines = app.memory.lines;
    const bool holdsCarriageReturns = text.find('\r') != std::string_view::npos;
    std::size_t playerCount = 0;
    int lineCount = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t end = lineEnd(text, pos, holdsCarriageReturns);
        if (end == text.size()) break;
        if (++lineCount >= 3) {
            if (playerCount == players.size()) players.emplace_back();
            if (playerCount == rows.size()) rows.emplace_back();
            StatusPlayer& player = players[playerCount];
            PlayerRow& row = rows[playerCount];
            ++playerCount;
            const std::string_view line = text.substr(pos, end - pos);
            const LineParts parts = cutPlayerLine(line);
            if (playerCount > readLines.size()) readLines.emplace_back();
            ReadLine& before = readLines[playerCount - 1];
            const bool readAlone = parts.score.find('^') == std::string_view::npos &&
                                   parts.ping.find('^') == std::string_view::npos;
            if (readAlone && before.readAlone && before.quake3 == quake3 &&
                before.named == parts.named && before.sentScore == parts.score &&
                before.sentName == parts.name) {
                takeText(player.sentScore, before.sentScore);
                takeText(player.sentName, before.sentName);
                takeText(player.plainScore, before.plainScore);
                takeText(player.plainName, before.plainName);
                takeText(row.name, before.shownName);
            } else {
                sentFields(parts, player.sentScore, player.sentName);
                if (line.find('^') == std::string_view::npos) {
                    player.plainScore = player.sentScore;
                    player.plainName = player.sentName;
                } else {
                    plainFields(line, player.plainScore, player.plainName);
                }
                assignColumn(row.name, parts.name, quake3);
                before.quake3 = quake3;
                before.named = parts.named;
                before.readAlone = readAlone;
                before.sentScore = player.sentScore;
                before.sentName = player.sentName;
                before.plainScore = player.plainScore;
                before.plainName = player.plainName;
                before.shownName = row.name;
            }
            const std::string_view score = unquotedColumn(parts.score, column);
            player.score = columnNumber(score);
            padColumnInto(row.score, score);
            const std::string_view ping = unquotedColumn(parts.ping, column);
            player.ping = columnNumber(ping);
            padColumnInto(row.ping, ping);
            assignTeam(app, lists, members, static_cast<int>(playerCount), row);
            takeText(player.name, row.name);
            takeText(player.team, row.team);
        }
        pos = end + 1;
    }
    players.resize(playerCount);
    rows.resize(playerCount);
    callFollower(app.monitorFollowers.quakePlayersRead, app);
    takeTeamsFromRows(app);
    ++app.window.playerRowsRedraws;
}

void fillServerInfo(App& app) {
    std::string& label = app.monitor.serverInfoText;
    label.clear();
    for (const auto& [key, value] : app.status.variables) {
        label.append(key).append(" = ").append(value).append(1, '\n');
    }
}

}  // namespace fc
