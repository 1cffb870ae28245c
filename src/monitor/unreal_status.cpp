#include "monitor/unreal_status.h"

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

void readUnrealFields(App& app, const std::string& reply) {
    app.monitor.playersPlaying = getServerVar("numplayers", reply);
    app.monitor.playersMax = getServerVar("maxplayers", reply);
    const std::string gameTypeName = getServerVar("gametype", reply);
    app.monitor.gameText = gameTypeName;
    app.monitor.mapText = getServerVar("mapname", reply);
    app.monitor.gameType = unrealGameType(gameTypeName);
    ServerStatus& status = app.statusToFill();
    status = ServerStatus{};
    status.answered = !reply.empty();
    status.readNumber = nextReadNumber();
    status.family = GameFamily::UT;
    status.gameType = app.monitor.gameType;
    status.variables = readServerVariables(reply);
    fillServerInfo(app);
    app.monitor.receivedBytesText = plainNumber(static_cast<long long>(reply.size())) + " bytes.";

    app.monitor.playerRows.clear();
    const long long players = leadingWhole(app.monitor.playersPlaying);
    for (long long i = 0; i < players && i < kMaxUnrealRows; ++i) {
        const std::string n = plainNumber(i);
        PlayerRow row{getServerVar("player_" + n, reply), getServerVar("frags_" + n, reply),
                      getServerVar("ping_" + n, reply),
                      teamColumn(gameTypeName, getServerVar("team_" + n, reply)), RowColour::Black};
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
    // The team sums of the rules just run are the scores of this reply.
    app.status.red = readTeamScore(app.monitor.redScoreText);
    app.status.blue = readTeamScore(app.monitor.blueScoreText);
    app.status.timeLeft = app.monitor.timeLeftText;
    app.notifyReplyHandled();
}

}  // namespace fc
