#include "monitor/unreal_status.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "core/app.h"
#include "core/server_vars.h"
#include "core/text_util.h"
#include "monitor/player_list.h"
#include "monitor/recorder.h"
#include "monitor/ut_packets.h"

namespace fc {

namespace {

GameType unrealGameType(const std::string& gameTypeName) {
    const std::string g = toLower(gameTypeName);
    if (g == "teamgameplus") return GameType::UnrealTeamGame;
    if (g == "ctfgame") return GameType::UnrealCtf;
    return GameType::UnrealOther;
}

std::string teamColumn(const std::string& gameTypeName, const std::string& team) {
    const std::string g = toLower(gameTypeName);
    if (g == "deathmatchplus") return "DM (" + trimBlanks(team) + ")";
    if (g != "teamgameplus" && g != "ctfgame") return team;
    const double number = leadingNumber(team);
    if (number == 0) return "Red";
    if (number == 1) return "Blue";
    if (number > 1) return kTeamSpectators;
    return "";
}

// The four columns of each player the answer names ("player_3", "frags_3", "ping_3",
// "team_3"), found in one walk over its variables; the first of a name counts, and a column
// the answer leaves out reads as "".
struct UnrealColumns {
    const std::string* name = nullptr;
    const std::string* frags = nullptr;
    const std::string* ping = nullptr;
    const std::string* team = nullptr;
};

std::vector<UnrealColumns> unrealColumns(const ServerVariables& variables, long long players) {
    std::vector<UnrealColumns> columns(static_cast<std::size_t>(players));
    static constexpr std::pair<std::string_view, const std::string * UnrealColumns::*> kPrefixes[] =
        {{"player_", &UnrealColumns::name},
         {"frags_", &UnrealColumns::frags},
         {"ping_", &UnrealColumns::ping},
         {"team_", &UnrealColumns::team}};
    for (const auto& [key, value] : variables) {
        for (const auto& [prefix, column] : kPrefixes) {
            if (!key.starts_with(prefix)) continue;
            const std::string_view digits = std::string_view(key).substr(prefix.size());
            // The player's number as the answer writes it: digits, no leading zero.
            if (digits.empty() || digits.size() > 3 || (digits.size() > 1 && digits[0] == '0'))
                break;
            long long number = 0;
            for (const char c : digits) {
                if (c < '0' || c > '9') {
                    number = players;  // no number: no player's
                    break;
                }
                number = number * 10 + (c - '0');
            }
            if (number >= players) break;
            const std::string*& slot = columns[static_cast<std::size_t>(number)].*column;
            if (slot == nullptr) slot = &value;
            break;
        }
    }
    return columns;
}

const std::string& columnText(const std::string* value) {
    static const std::string kNone;
    return value == nullptr ? kNone : *value;
}

void readUnrealFields(App& app, const std::string& reply) {
    ServerStatus& status = app.statusToFill();
    status = ServerStatus{};
    status.answered = !reply.empty();
    status.readNumber = nextReadNumber();
    status.family = GameFamily::UT;
    status.variables = readServerVariables(reply);
    const ServerVariables& variables = status.variables;
    app.monitor.playersPlaying = variableOf(variables, "numplayers");
    app.monitor.playersMax = variableOf(variables, "maxplayers");
    const std::string& gameTypeName = variableOf(variables, "gametype");
    app.monitor.gameText = gameTypeName;
    app.monitor.mapText = variableOf(variables, "mapname");
    app.monitor.gameType = unrealGameType(gameTypeName);
    status.gameType = app.monitor.gameType;
    fillServerInfo(app);
    app.monitor.receivedBytesText = plainNumber(static_cast<long long>(reply.size())) + " bytes.";

    app.monitor.playerRows.clear();
    const long long players =
        std::max(0LL, std::min(leadingWhole(app.monitor.playersPlaying), kMaxUnrealRows));
    for (const UnrealColumns& column : unrealColumns(variables, players)) {
        PlayerRow row{columnText(column.name), columnText(column.frags), columnText(column.ping),
                      teamColumn(gameTypeName, columnText(column.team)), RowColour::Black};
        StatusPlayer& player = status.players.emplace_back();
        player.name = row.name;
        player.sentName = row.name;
        player.sentScore = row.score;
        player.plainName = filterQ3Colours(row.name);
        player.plainScore = filterQ3Colours(row.score);
        player.score = leadingWhole(row.score);
        player.ping = leadingWhole(row.ping);
        player.team = row.team;
        app.monitor.playerRows.push_back(std::move(row));
    }
    callFollower(app.monitorFollowers.unrealPlayersRead, app);
    app.match.redTeamCaption = "Team Red";
    app.match.blueTeamCaption = "Team Blue";
    app.window.teamScoresVisible = true;
}

}  // namespace

void takeUnrealPiece(App& app, const std::string& piece) {
    const std::optional<std::string> reply = addUnrealPiece(app, piece);
    if (!reply) return;
    if (app.monitor.recordingOn && app.monitor.gameFamily == GameFamily::UT)
        appendToRecording(app, *reply);
    readUnrealFields(app, *reply);
    callFollower(app.monitorFollowers.unrealReplyRead, app, *reply);
    // The team sums of the rules just run wrote the scores of this reply.
    app.status.timeLeft = app.monitor.timeLeft;
    app.notifyReplyHandled();
}

}  // namespace fc
