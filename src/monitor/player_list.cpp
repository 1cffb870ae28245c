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

void SetTeam(PlayerRow& row, const char* team, RowColour colour) {
    row.team = team;
    row.colour = colour;
}

const MemberLists& MembersOf(App& app) {
    const MainView& v = app.view;
    MemberLists& members = app.memory.members;
    members.red.use(v.redMembers);
    members.blue.use(v.blueMembers);
    members.marked.use(v.markedPlayers);
    return members;
}

void AssignTeam(const MainView& v, const TeamLists& lists, const MemberLists& members,
                int rowNumber, PlayerRow& row) {
    if (lists.fromServer) {
        const std::string number = " " + PlainNumber(rowNumber) + " ";
        if (Contains(lists.red, number)) {
            SetTeam(row, "Red", RowColour::Red);
        } else if (Contains(lists.blue, number)) {
            SetTeam(row, "Blue", RowColour::Blue);
        } else {
            SetTeam(row, kTeamSpectators, RowColour::Grey);
        }
        return;
    }
    if (v.teamsKnown) {
        if (members.red.holds(row.name)) {
            SetTeam(row, "Red", RowColour::Red);
        } else if (members.blue.holds(row.name)) {
            SetTeam(row, "Blue", RowColour::Blue);
        } else {
            SetTeam(row, kTeamSpectators, RowColour::Grey);
        }
        return;
    }
    row.team.clear();
    row.colour = members.marked.holds(row.name) ? RowColour::Grey : RowColour::Black;
}

void AppendWithoutQuotes(std::string& out, std::string_view part) {
    for (std::size_t quote = part.find('"'); quote != std::string_view::npos;
         quote = part.find('"')) {
        out.append(part.substr(0, quote));
        part.remove_prefix(quote + 1);
    }
    out.append(part);
}

// Score and ping end at the first and second blank; the name is the rest, blanks and all.
// Double quotes are dropped wherever they stand.
void SplitPlayerLine(std::string_view line, std::string (&columns)[3]) {
    for (int field = 0; field < 2; ++field) {
        const std::size_t blank = line.find(' ');
        if (blank == std::string_view::npos) {
            AppendWithoutQuotes(columns[field], line);
            return;
        }
        AppendWithoutQuotes(columns[field], line.substr(0, blank));
        line.remove_prefix(blank + 1);
    }
    AppendWithoutQuotes(columns[2], line);
}

// The score and the name as the line sends them: before the first blank, after the second.
void SentFields(std::string_view line, std::string& score, std::string& name) {
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

void TakeTeamsFromRows(App& app) {
    std::vector<StatusPlayer>& players = app.status.players;
    const std::vector<PlayerRow>& rows = app.view.spelerLijst;
    if (players.size() != rows.size()) return;
    if (app.view.spelerLijstSortColumn < 0) {
        for (std::size_t i = 0; i < players.size(); ++i) players[i].team = rows[i].team;
        return;
    }
    // The operator sorts the rows: each player finds its own row.
    std::vector<bool> taken(rows.size());
    for (StatusPlayer& player : players) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const PlayerRow& row = rows[i];
            if (taken[i] || row.name != player.name || ColumnNumber(row.score) != player.score ||
                ColumnNumber(row.ping) != player.ping) {
                continue;
            }
            taken[i] = true;
            player.team = row.team;
            break;
        }
    }
}

std::string PadColumn(const std::string& value) {
    if (value.size() >= 4) return value;
    return std::string(4 - value.size(), kNonBreakingSpace) + value;
}

void ZetInListView(App& app, const std::string& reply) {
    MainView& v = app.view;
    if (reply.empty()) {
        app.status.players.clear();
        v.spelerLijst.clear();
        v.spelerLijst.push_back(PlayerRow{"No server found!", "", "", "", RowColour::Black});
        v.gameFamily = GameFamily::None;
        ++v.spelerLijstRedraws;
        return;
    }
    v.spelerLijst.clear();
    std::vector<StatusPlayer>& players = app.status.players;
    std::size_t playerCount = 0;
    TeamLists lists;
    lists.red = " " + GetServerVar("Players_Red", reply) + " ";
    lists.blue = " " + GetServerVar("Players_Blue", reply) + " ";
    lists.fromServer = !Trim(lists.red).empty() || !Trim(lists.blue).empty();
    if (lists.fromServer) {
        v.markedPlayers.clear();
        v.teamsKnown = true;
    }
    const bool quake3 = IsQuake3Reply(reply);
    const MemberLists& members = MembersOf(app);

    // Line by line: a CR and an LF each end a line; the header and the variables (the first
    // two lines) are passed over, and every later line that ends is a player line.
    const std::string_view text(reply);
    std::string columns[3];  // score, ping, name
    int lineCount = 0;
    int rowNumber = 0;
    for (std::size_t pos = 0; pos <= text.size();) {
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        if (lineCount >= 2) SplitPlayerLine(text.substr(pos, end - pos), columns);
        if (end == text.size()) break;
        if (++lineCount >= 3) {
            // The status's rows are reused, their texts keeping their room from reply to reply.
            if (playerCount == players.size()) players.emplace_back();
            StatusPlayer& player = players[playerCount++];
            const std::string_view line = text.substr(pos, end - pos);
            SentFields(line, player.sentScore, player.sentName);
            if (line.find('^') == std::string_view::npos) {
                player.plainScore = player.sentScore;
                player.plainName = player.sentName;
            } else {
                SentFields(FilterQ3Colors(line), player.plainScore, player.plainName);
            }
            PlayerRow row;
            row.name = quake3 ? FilterQ3Colors(columns[2]) : columns[2];
            row.score = PadColumn(columns[0]);
            row.ping = PadColumn(columns[1]);
            AssignTeam(v, lists, members, ++rowNumber, row);
            player.name = row.name;
            player.score = LeadingWhole(columns[0]);
            player.ping = LeadingWhole(columns[1]);
            player.team = row.team;
            v.spelerLijst.push_back(std::move(row));
            for (std::string& column : columns) column.clear();
        }
        pos = end + 1;
    }
    players.resize(playerCount);
    Follow(app.monitorFollowers.quakePlayersRead, app);
    TakeTeamsFromRows(app);
    ++v.spelerLijstRedraws;
}

void ZetInfoInLabel(App& app) {
    std::string label;
    for (const auto& [key, value] : app.status.variables) label += key + " = " + value + "\n";
    app.view.QuakeInfoLabel = label;
}

}  // namespace fc
