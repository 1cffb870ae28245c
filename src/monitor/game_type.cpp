#include "monitor/game_type.h"

#include "core/app.h"
#include "core/server_vars.h"
#include "core/text_util.h"
#include "monitor/mod_scores.h"
#include "monitor/player_list.h"
#include "monitor/team_sums.h"

namespace fc {

namespace {

struct Sides {
    const char* red;
    const char* blue;
    const char* score;
};

void setSides(App& app, const Sides& s) {
    app.match.redTeamCaption = s.red;
    app.match.blueTeamCaption = s.blue;
    app.monitor.redScoreText = s.score;
    app.monitor.blueScoreText = s.score;
}

// Osp duel and team deathmatch publish their score; an Osp server that does not is scored as a
// base Quake 3 team game.
void ospScoredGame(App& app, const std::string& reply, const char* fallbackTimeLeft) {
    app.monitor.gameType = GameType::Quake3OspScored;
    app.monitor.redScoreText = getServerVar("Score_Red", reply);
    if (trimBlanks(app.monitor.redScoreText).empty()) {
        app.monitor.timeLeftText = fallbackTimeLeft;
        app.monitor.gameType = GameType::Quake3TeamGame;
    }
}

// The scores, time and phase a mod publishes in its own variables.
void readModScores(App& app, const std::string& reply) {
    switch (describe(app.monitor.gameType).teamScores) {
        case TeamScores::GameStats:
            readQuake2CtfStats(app);
            break;
        case TeamScores::OspCaptures:
            readOspCtfScores(app, reply);
            break;
        case TeamScores::TourneyScores:
            if (toLower(app.monitor.gameText) != "battle") readTourneyTeamScores(app, reply);
            break;
        case TeamScores::OspScores:
            if (app.monitor.gameText != "osp") break;
            readOspScores(app, reply);
            callFollower(app.monitorFollowers.ospPhaseRules, app, reply);
            break;
        case TeamScores::Nothing:
        case TeamScores::PlayerFrags:
        case TeamScores::CountedCaptures:
        case TeamScores::UnrealFrags:
        case TeamScores::UnrealCaptures:
            break;
    }
}

}  // namespace

void detectGameType(App& app, const std::string& reply) {
    const std::string game = toUpper(app.monitor.gameText);
    const long long g = leadingWhole(getServerVar("g_gametype", reply));
    // Every row that matches is applied in turn, so a later row overrides an earlier one.
    if (game == "CTF") {
        setSides(app, {"Red team", "Blue team", "0/0"});
        app.window.teamScoresVisible = true;
        app.monitor.gameType = GameType::Quake2Ctf;
    }
    if (game == "TOURNEY") {
        if (getServerVar("match_type", reply) != "TeamPlay") {
            setSides(app, {"Player A", "Player B", "0"});
            app.window.teamScoresVisible = false;
            app.monitor.gameType = GameType::Quake2Duel;
        } else {
            setSides(app, {"Team A", "Team B", "0"});
            app.window.teamScoresVisible = true;
            app.monitor.gameType = GameType::Quake2TeamDeathmatch;
        }
    }
    if (game == "LITHIUM") {
        setSides(app, {"Team A", "Team B", "0"});
        app.monitor.gameType = GameType::Quake2FreeForAll;
    }
    if (game == "BATTLE") {
        setSides(app, {"Team A", "Team B", "0"});
        app.window.teamScoresVisible = true;
        app.monitor.gameType = GameType::Quake2TeamDeathmatch;
    }
    if (isBaseQuake3(app.monitor.gameText) && g >= 2) {
        setSides(app, {"Team Red", "Team Blue", "0"});
        app.window.teamScoresVisible = true;
        app.monitor.gameType = GameType::Quake3TeamGame;
        app.monitor.timeLeftText = "20:00";
    }
    if (isBaseQuake3(app.monitor.gameText) && g == 4) {
        setSides(app, {"Team Red", "Team Blue", "0/0"});
        app.window.teamScoresVisible = true;
        app.monitor.gameType = GameType::Quake3BaseCtf;
        app.monitor.timeLeftText = "20:00";
    }
    if (game == "OSP") app.monitor.gameType = GameType::Quake3OspFreeForAll;
    if (game == "OSP" && g == 1) {
        setSides(app, {"Person 1", "Person 2", "0"});
        app.window.teamScoresVisible = true;
        ospScoredGame(app, reply, "10:00");
    }
    if (game == "OSP" && g == 3) {
        setSides(app, {"Team Red", "Team Blue", "0"});
        app.window.teamScoresVisible = true;
        ospScoredGame(app, reply, "20:00");
    }
    if (game == "OSP" && g == 4) {
        setSides(app, {"Red team", "Blue team", "0/0"});
        app.window.teamScoresVisible = true;
        app.monitor.gameType = GameType::Quake3OspCtf;
    }
    callFollower(app.monitorFollowers.gameRecognised, app);
}

void analyseQuakeReply(App& app, const std::string& reply) {
    if (app.monitor.gameText != app.monitor.lastValues.game) detectGameType(app, reply);
    updateCountsAndLimit(app, reply);
    callFollower(app.monitorFollowers.gameChangeRules, app, reply);
    showReadyTime(app);
    runBaseQuake3TeamClock(app);
    readModScores(app, reply);
    addTeamSums(app, reply);
    ServerStatus& status = app.status;
    status.gameType = app.monitor.gameType;
    status.red = readTeamScore(app.monitor.redScoreText);
    status.blue = readTeamScore(app.monitor.blueScoreText);
    status.timeLeft = app.monitor.timeLeftText;
    takeTeamsFromRows(app);
    callFollower(app.monitorFollowers.matchEventRules, app, reply);
}

}  // namespace fc
