#include "match/teams.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/app.h"
#include "core/server_vars.h"
#include "core/text_util.h"

namespace fc {

namespace {

constexpr std::string_view kTagSeparators = "()][.|=- *";
constexpr std::size_t kMaxTags = 80;

std::string quotedName(const std::string& name) {
    return "\"" + name + "\"";
}

void removeAll(std::string& list, const std::string& quoted) {
    for (std::size_t at = list.find(quoted); at != std::string::npos; at = list.find(quoted, at)) {
        list.erase(at, quoted.size());
    }
}

struct TagCount {
    std::string tag;
    int count = 0;
};

std::vector<TagCount> tallyTags(const App& app) {
    std::vector<TagCount> tally;
    for (const PlayerRow& row : app.monitor.playerRows) {
        const std::string tag = getTag(row.name);
        if (tag.empty()) continue;
        const auto it = std::find_if(tally.begin(), tally.end(),
                                     [&](const TagCount& t) { return t.tag == tag; });
        if (it != tally.end()) {
            ++it->count;
        } else if (tally.size() < kMaxTags) {
            tally.push_back({tag, 1});
        }
    }
    return tally;
}

RowColour teamColour(const std::string& team) {
    if (team == "Red") return RowColour::Red;
    if (team == "Blue") return RowColour::AssignedBlue;
    return RowColour::Grey;
}

}  // namespace

void resetTeamList(App& app) {
    app.match.redMembers.clear();
    app.match.specMembers.clear();
    app.match.blueMembers.clear();
    for (PlayerRow& row : app.monitor.playerRows) row.team = kTeamSpectators;
}

std::string getTag(const std::string& name) {
    const std::string head = name.substr(0, 15);
    std::string best;
    std::size_t start = 0;
    while (start <= head.size()) {
        std::size_t end = head.find_first_of(kTagSeparators, start);
        if (end == std::string::npos) end = head.size();
        const std::size_t length = end - start;
        if (length >= 2 && length <= 14 && (best.empty() || length < best.size())) {
            best = head.substr(start, length);
        }
        start = end + 1;
    }
    return best;
}

namespace {

// Colour codes (character 3) in a team name become blanks, whoever set the name.
std::string cleanTeamName(std::string name) {
    std::replace(name.begin(), name.end(), '\x03', ' ');
    return name;
}

void nameTeams(App& app) {
    const std::string& scoreA = app.status.variable("Score_A");
    const std::size_t hyphenA = scoreA.find('-');
    if (hyphenA != std::string::npos) {
        const std::string& scoreB = app.status.variable("Score_B");
        const std::size_t hyphenB = scoreB.find('-');
        app.match.redTeamName = scoreA.substr(hyphenA + 1);
        app.match.blueTeamName = hyphenB == std::string::npos ? scoreB : scoreB.substr(hyphenB + 1);
        return;
    }
    const std::vector<TagCount> tally = tallyTags(app);
    int minimum = 3;
    app.match.redTeamName = "Red team";
    app.match.blueTeamName = "Blue team";
    if (describe(app.monitor.gameType).sidesCalledAAndB) {
        app.match.redTeamName = "Team A";
        app.match.blueTeamName = "Team B";
        minimum = 2;
    }
    // Among equal counts the later tag becomes the best and the earlier one moves down.
    const TagCount* best = nullptr;
    const TagCount* second = nullptr;
    int bestCount = minimum;
    int secondCount = minimum;
    for (const TagCount& entry : tally) {
        if (entry.count < secondCount) continue;
        if (entry.count < bestCount) {
            second = &entry;
            secondCount = entry.count;
        } else {
            second = best;
            secondCount = bestCount;
            best = &entry;
            bestCount = entry.count;
        }
    }
    if (!best || !second) return;
    if (app.match.teamsSwapped) {
        app.match.blueTeamName = best->tag;
        app.match.redTeamName = second->tag;
    } else {
        app.match.redTeamName = best->tag;
        app.match.blueTeamName = second->tag;
    }
}

}  // namespace

void autoDetectTags(App& app) {
    nameTeams(app);
    app.match.redTeamName = cleanTeamName(app.match.redTeamName);
    app.match.blueTeamName = cleanTeamName(app.match.blueTeamName);
}

void autoAssignNow(App& app) {
    resetTeamList(app);
    const std::string red = toLower(app.match.redTeamName);
    const std::string blue = toLower(app.match.blueTeamName);
    for (PlayerRow& row : app.monitor.playerRows) {
        const std::string name = toLower(row.name);
        const std::string q = quotedName(row.name);
        if (textContains(name, red)) {
            row.team = "Red";
            removeAll(app.match.specMembers, q);
            app.match.redMembers += q;
        }
        if (textContains(name, blue)) {
            row.team = "Blue";
            removeAll(app.match.redMembers, q);
            app.match.blueMembers += q;
        }
    }
}

void colourPlayerRows(App& app) {
    for (PlayerRow& row : app.monitor.playerRows) row.colour = teamColour(row.team);
}

void onPlayerListMouse(App& app, bool buttonDown) {
    app.window.listMouseDown = buttonDown;
}

void onPlayerRowClicked(App& app, int index) {
    // Only a click with the mouse counts; moving through the list with the keyboard does not.
    if (!app.window.listMouseDown) return;
    if (index < 0 || index >= static_cast<int>(app.monitor.playerRows.size())) return;
    PlayerRow& row = app.monitor.playerRows[static_cast<std::size_t>(index)];
    const std::string q = quotedName(row.name);
    if (!app.match.teamsKnown) {
        if (listHolds(app.match.markedPlayers, row.name)) {
            removeAll(app.match.markedPlayers, q);
        } else {
            app.match.markedPlayers += q;
        }
        return;
    }
    if (row.team == "Red") {
        row.team = "Blue";
        removeAll(app.match.redMembers, q);
        app.match.blueMembers += q;
    } else if (row.team == "Blue") {
        row.team = kTeamSpectators;
        removeAll(app.match.blueMembers, q);
        app.match.specMembers += q;
    } else if (row.team == kTeamSpectators) {
        row.team = "Red";
        removeAll(app.match.specMembers, q);
        app.match.redMembers += q;
    } else {
        row.team = "Red";
        app.match.redMembers += q;
    }
    row.colour = teamColour(row.team);
}

void onPlayerListColumnClicked(App& app, int column) {
    if (column < 0 || column > 3) return;
    if (app.window.playerRowsSortColumn == column) {
        app.window.playerRowsSortAscending = !app.window.playerRowsSortAscending;
    } else {
        app.window.playerRowsSortColumn = column;
        app.window.playerRowsSortAscending = true;
    }
    sortPlayerList(app);
}

void sortPlayerList(App& app) {
    const int column = app.window.playerRowsSortColumn;
    if (column < 0) return;
    auto key = [column](const PlayerRow& r) -> const std::string& {
        switch (column) {
            case 0:
                return r.name;
            case 1:
                return r.score;
            case 2:
                return r.ping;
            default:
                return r.team;
        }
    };
    const bool numeric = column == 1 || column == 2;
    auto less = [&](const PlayerRow& a, const PlayerRow& b) {
        if (numeric) {
            const double x = leadingNumber(stripNonBreakingSpaces(key(a)));
            const double y = leadingNumber(stripNonBreakingSpaces(key(b)));
            if (x != y) return x < y;
        }
        return key(a) < key(b);
    };
    if (app.window.playerRowsSortAscending) {
        std::stable_sort(app.monitor.playerRows.begin(), app.monitor.playerRows.end(), less);
    } else {
        std::stable_sort(app.monitor.playerRows.begin(), app.monitor.playerRows.end(),
                         [&](const PlayerRow& a, const PlayerRow& b) { return less(b, a); });
    }
}

void onTeamNameEdited(App& app, bool red, const std::string& text) {
    (red ? app.match.redTeamName : app.match.blueTeamName) = cleanTeamName(text);
}

void switchTeamNames(App& app) {
    std::swap(app.match.redTeamName, app.match.blueTeamName);
}

void detectAndAssignTeams(App& app) {
    autoDetectTags(app);
    autoAssignNow(app);
}

void switchAndAssignTeams(App& app) {
    switchTeamNames(app);
    autoAssignNow(app);
}

void checkTeamsSwapped(App& app) {
    const ServerStatus& status = app.status;
    if (!describe(app.monitor.gameType).sidesMayBeSwapped || status.players.empty()) return;
    long long redTags = 0;
    long long blueTags = 0;
    for (const StatusPlayer& player : status.players) {
        if (textContains(player.name, app.match.redTeamName)) {
            redTags = addWithin(redTags, player.score);
        } else if (textContains(player.name, app.match.blueTeamName)) {
            blueTags = addWithin(blueTags, player.score);
        }
    }
    if (!status.red.split || !status.blue.split) return;
    const double redFrags = status.red.points;
    const double blueFrags = status.blue.points;
    app.match.teamsSwapped = (redTags > blueTags && blueFrags > redFrags) ||
                             (redTags < blueTags && blueFrags < redFrags);
}

}  // namespace fc
