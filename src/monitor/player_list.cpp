#include "monitor/player_list.h"

#include "match/teams.h"
#include "monitor/server_vars.h"
#include "shell/app.h"
#include "shell/text_util.h"

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

struct MemberLists {
    explicit MemberLists(const MainView& v)
        : red(v.redMembers), blue(v.blueMembers), marked(v.markedPlayers) {}
    QuotedNames red;
    QuotedNames blue;
    QuotedNames marked;
};

void AssignTeam(const MainView& v, const TeamLists& lists, const MemberLists& members,
                int rowNumber, PlayerRow& row) {
    if (lists.fromServer) {
        const std::string number = " " + PlainNumber(rowNumber) + " ";
        if (Contains(lists.red, number)) {
            SetTeam(row, "Red", RowColour::Red);
        } else if (Contains(lists.blue, number)) {
            SetTeam(row, "Blue", RowColour::Blue);
        } else {
            SetTeam(row, "Spec", RowColour::Grey);
        }
        return;
    }
    if (v.teamsKnown) {
        if (members.red.holds(row.name)) {
            SetTeam(row, "Red", RowColour::Red);
        } else if (members.blue.holds(row.name)) {
            SetTeam(row, "Blue", RowColour::Blue);
        } else {
            SetTeam(row, "Spec", RowColour::Grey);
        }
        return;
    }
    row.team.clear();
    row.colour = members.marked.holds(row.name) ? RowColour::Grey : RowColour::Black;
}

}  // namespace

std::string PadColumn(const std::string& value) {
    if (value.size() >= 4) return value;
    return std::string(4 - value.size(), kNonBreakingSpace) + value;
}

void ZetInListView(App& app, const std::string& reply) {
    MainView& v = app.view;
    if (reply.empty()) {
        v.spelerLijst.clear();
        v.spelerLijst.push_back(PlayerRow{"No server found!", "", "", "", RowColour::Black});
        v.gameFamily = "None";
        ++v.spelerLijstRedraws;
        return;
    }
    v.spelerLijst.clear();
    TeamLists lists;
    lists.red = " " + GetServerVar("Players_Red", reply) + " ";
    lists.blue = " " + GetServerVar("Players_Blue", reply) + " ";
    lists.fromServer = !Trim(lists.red).empty() || !Trim(lists.blue).empty();
    if (lists.fromServer) {
        v.markedPlayers.clear();
        v.teamsKnown = true;
    }
    const bool quake3 = IsQuake3Reply(reply);
    const MemberLists members(v);

    int lineCount = 0;
    int field = 0;
    std::string columns[3];  // score, ping, name
    int rowNumber = 0;
    for (char c : reply) {
        if (c == '\r' || c == '\n') {
            ++lineCount;
            field = 0;
            if (lineCount >= 3) {
                PlayerRow row;
                row.name = quake3 ? FilterQ3Colors(columns[2]) : columns[2];
                row.score = PadColumn(columns[0]);
                row.ping = PadColumn(columns[1]);
                AssignTeam(v, lists, members, ++rowNumber, row);
                v.spelerLijst.push_back(std::move(row));
                for (std::string& column : columns) column.clear();
            }
            continue;
        }
        if (lineCount < 2) continue;
        if (c == ' ' && field < 2) {
            ++field;
        } else if (c != '"') {
            columns[field] += c;
        }
    }
    SortPlayerList(app);
    ++v.spelerLijstRedraws;
}

void ZetInfoInLabel(App& app, const std::string& reply) {
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
    app.view.QuakeInfoLabel = label;
}

}  // namespace fc
