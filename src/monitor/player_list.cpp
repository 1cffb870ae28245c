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
    const MainView& v = app.view;
    MemberLists& members = app.memory.members;
    members.red.use(v.redMembers);
    members.blue.use(v.blueMembers);
    members.marked.use(v.markedPlayers);
    return members;
}

void assignTeam(const MainView& v, const TeamLists& lists, const MemberLists& members,
                int rowNumber, PlayerRow& row) {
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
    if (v.teamsKnown) {
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

}  // namespace

std::string padColumn(const std::string& value) {
    if (value.size() >= 4) return value;
    return std::string(4 - value.size(), kNonBreakingSpace) + value;
}

void fillPlayerList(App& app, const std::string& reply) {
    MainView& v = app.view;
    if (reply.empty()) {
        v.playerRows.clear();
        v.playerRows.push_back(PlayerRow{"No server found!", "", "", "", RowColour::Black});
        v.gameFamily = GameFamily::None;
        ++v.playerRowsRedraws;
        return;
    }
    v.playerRows.clear();
    TeamLists lists;
    lists.red = " " + getServerVar("Players_Red", reply) + " ";
    lists.blue = " " + getServerVar("Players_Blue", reply) + " ";
    lists.fromServer = !trimBlanks(lists.red).empty() || !trimBlanks(lists.blue).empty();
    if (lists.fromServer) {
        v.markedPlayers.clear();
        v.teamsKnown = true;
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
            PlayerRow row;
            row.name = quake3 ? filterQ3Colours(columns[2]) : columns[2];
            row.score = padColumn(columns[0]);
            row.ping = padColumn(columns[1]);
            assignTeam(v, lists, members, ++rowNumber, row);
            v.playerRows.push_back(std::move(row));
            for (std::string& column : columns) column.clear();
        }
        pos = end + 1;
    }
    callFollower(app.monitorFollowers.quakePlayersRead, app);
    ++v.playerRowsRedraws;
}

void fillServerInfo(App& app, const std::string& reply) {
    std::string label;
    std::string key;
    std::string value;
    bool readingKey = false;
    int lineFeeds = 0;
    for (char c : reply) {
        if (c == '\n') ++lineFeeds;
        const bool endOfVariables = c == '\n' && lineFeeds == 2;
        if (c == '\\' || endOfVariables) {
            if (!readingKey) {
                if (!key.empty()) {
                    label += key + " = " + value + "\n";
                    key.clear();
                    value.clear();
                }
                readingKey = true;
            } else {
                value.clear();
                readingKey = false;
            }
            if (endOfVariables) break;
        } else if (c != '\n') {
            (readingKey ? key : value) += c;
        }
    }
    app.view.serverInfoText = label;
}

}  // namespace fc
