#include "monitor/team_sums.h"

#include "core/app.h"
#include "core/team_totals.h"
#include "core/text_util.h"

namespace fc {

int scoreSource(const App& app) {
    const bool osp = app.monitor.gameText == "osp";
    int source = 0;
    switch (describe(app.monitor.gameType).teamScores) {
        case TeamScores::GameStats:
            source = 1;
            break;
        case TeamScores::OspScores:
        case TeamScores::OspCaptures:
            if (osp) source = 1;
            break;
        case TeamScores::CountedCaptures:
            return 3;
        case TeamScores::Nothing:
        case TeamScores::PlayerFrags:
        case TeamScores::TourneyScores:
        case TeamScores::UnrealFrags:
        case TeamScores::UnrealCaptures:
            break;
    }
    if (app.monitor.statisticsText.empty() && !osp) source = 0;
    return source;
}

void addTeamSums(App& app) {
    // Known only where someone is on a side: a list of spectators tells no teams.
    app.window.teamsKnownShown = app.match.teamsKnown && app.status.sidesKnown();
    app.monitor.avgPingRed = 0;
    app.monitor.avgPingBlue = 0;
    if (app.match.teamsKnown) {
        int source = scoreSource(app);
        // Tourney and Battle keep what is shown: the Tourney scores come from the mod's variables.
        const bool keepShown =
            describe(app.monitor.gameType).teamScores == TeamScores::TourneyScores;
        // Frag sums start at 0, so a side nobody plays on reads 0 rather than nothing.
        if (source == 0 && !keepShown) {
            app.monitor.redScoreText = blankNumber(0);
            app.monitor.blueScoreText = blankNumber(0);
        }
        if (source != 3) {
            if (textEndsWith(app.monitor.redScoreText, "/")) source = 2;
            if (!app.status.variable("Score_A").empty()) source = 1;
        }
        TeamTotals red;
        TeamTotals blue;
        for (const StatusPlayer& player : app.status.players) {
            const bool isRed = player.team == "Red";
            if (!isRed && player.team != "Blue") continue;
            const long long score = player.score;
            TeamTotals& totals = isRed ? red : blue;
            if (source == 0) {
                std::string& shown = isRed ? app.monitor.redScoreText : app.monitor.blueScoreText;
                shown = blankNumber(wholeNumber(leadingNumber(shown) + static_cast<double>(score)));
            } else if (source == 2 || source == 3) {
                totals.frags = addWithin(totals.frags, score);
            }
            totals.pings = addWithin(totals.pings, player.ping);
            ++totals.rows;
        }
        if (source == 2) {
            app.monitor.redScoreText += plainNumber(red.frags);
            app.monitor.blueScoreText += plainNumber(blue.frags);
        } else if (source == 3) {
            app.monitor.redScoreText =
                plainNumber(app.match.game.capsRedQ3) + "/" + plainNumber(red.frags);
            app.monitor.blueScoreText =
                plainNumber(app.match.game.capsBlueQ3) + "/" + plainNumber(blue.frags);
        }
        app.monitor.avgPingRed = averagePing(red);
        app.monitor.avgPingBlue = averagePing(blue);
    }
}

}  // namespace fc
