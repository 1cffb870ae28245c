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

void appendWithoutQuotes(std::string& out, std::string_view part) {
    for (std::size_t quote = part.find('"'); quote != std::string_view::npos;
         quote = part.find('"')) {
        out.append(part.substr(0, quote));
        part.remove_prefix(quote + 1);
    }
    out.append(part);
}

// Score and ping end at the first and second blank; the name is the rest, blanks and all.
// Double quotes are dropped wherever they stand.
void splitPlayerLine(std::string_view line, std::string (&columns)[3]) {
    for (int field = 0; field < 2; ++field) {
        const std::size_t blank = line.find(' ');
        if (blank == std::string_view::npos) {
            appendWithoutQuotes(columns[field], line);
            return;
        }
        appendWithoutQuotes(columns[field], line.substr(0, blank));
        line.remove_prefix(blank + 1);
    }
    appendWithoutQuotes(columns[2], line);
}

// The score and the name as the line sends them: before the first blank, after the second.
void sentFields(std::string_view line, std::string& score, std::string& name) {
    const std::size_t first = line.find(' ');
    score.assign(line.substr(0, first));
    const std::size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
    if (second == std::string_view::npos) {
        name.clear();
    } else {
        name.assign(line.substr(second + 1));
    }
}

}  // namespace

void takeTeamsFromRows(App& app) {
    std::vector<StatusPlayer>& players = app.status.players;
    const std::vector<PlayerRow>& rows = app.monitor.playerRows;
    if (players.size() != rows.size()) return;
    if (app.window.playerRowsSortColumn < 0) {
        for (std::size_t i = 0; i < players.size(); ++i) players[i].team = rows[i].team;
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
    if (value.size() >= 4) return value;
    return std::string(4 - value.size(), kNonBreakingSpace) + value;
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
    app.monitor.playerRows.clear();
    std::vector<StatusPlayer>& players = app.status.players;
    std::size_t playerCount = 0;
    TeamLists lists;
    lists.red = " " + getServerVar("Players_Red", reply) + " ";
    lists.blue = " " + getServerVar("Players_Blue", reply) + " ";
    lists.fromServer = !trimBlanks(lists.red).empty() || !trimBlanks(lists.blue).empty();
    if (lists.fromServer) {
        app.match.markedPlayers.clear();
        app.match.teamsKnown = true;
    }
    const bool quake3 = isQuake3Reply(reply);
    const MemberLists& members = membersOf(app);

    // Line by line: a CR and an LF each end a line; the header and the variables (the first
    // two lines) are passed over, and every later line that ends is a player line.
    const std::string_view text(reply);
    std::string columns[3];  // score, ping, name
    int lineCount = 0;
    int rowNumber = 0;
    for (std::size_t pos = 0; pos <= text.size();) {
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        if (lineCount >= 2) splitPlayerLine(text.substr(pos, end - pos), columns);
        if (end == text.size()) break;
        if (++lineCount >= 3) {
            // The status's rows are reused, their texts keeping their room from reply to reply.
            if (playerCount == players.size()) players.emplace_back();
            StatusPlayer& player = players[playerCount++];
            const std::string_view line = text.substr(pos, end - pos);
            sentFields(line, player.sentScore, player.sentName);
            if (line.find('^') == std::string_view::npos) {
                player.plainScore = player.sentScore;
                player.plainName = player.sentName;
            } else {
                sentFields(filterQ3Colours(line), player.plainScore, player.plainName);
            }
            PlayerRow row;
            row.name = quake3 ? filterQ3Colours(columns[2]) : columns[2];
            row.score = padColumn(columns[0]);
            row.ping = padColumn(columns[1]);
            assignTeam(app, lists, members, ++rowNumber, row);
            player.name = row.name;
            player.score = leadingWhole(columns[0]);
            player.ping = leadingWhole(columns[1]);
            player.team = row.team;
            app.monitor.playerRows.push_back(std::move(row));
            for (std::string& column : columns) column.clear();
        }
        pos = end + 1;
    }
    players.resize(playerCount);
    callFollower(app.monitorFollowers.quakePlayersRead, app);
    takeTeamsFromRows(app);
    ++app.window.playerRowsRedraws;
}

void fillServerInfo(App& app) {
    std::string label;
    for (const auto& [key, value] : app.status.variables) label += key + " = " + value + "\n";
    app.monitor.serverInfoText = label;
}

}  // namespace fc
