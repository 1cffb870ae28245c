#include "monitor/team_sums.h"

#include "core/app.h"
#include "core/team_totals.h"
#include "core/text_util.h"

namespace fc {

int scoreSource(const App& app) {
    const MainView& v = app.view;
    const bool osp = v.gameText == "osp";
    int source = 0;
    switch (describe(v.gameType).teamScores) {
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
    if (v.statisticsText.empty() && !osp) source = 0;
    return source;
}

void addTeamSums(App& app) {
    MainView& v = app.view;
    v.teamsKnownShown = v.teamsKnown;
    v.avgPingRed = 0;
    v.avgPingBlue = 0;
    if (v.teamsKnown) {
        int source = scoreSource(app);
        // Tourney and Battle keep what is shown: the Tourney scores come from the mod's variables.
        const bool keepShown = describe(v.gameType).teamScores == TeamScores::TourneyScores;
        if (source == 0 && !keepShown) {
            v.redScoreText.clear();
            v.blueScoreText.clear();
        }
        if (source != 3) {
            if (textEndsWith(v.redScoreText, "/")) source = 2;
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
                std::string& shown = isRed ? v.redScoreText : v.blueScoreText;
                shown = blankNumber(wholeNumber(leadingNumber(shown) + static_cast<double>(score)));
            } else if (source == 2 || source == 3) {
                totals.frags = addWithin(totals.frags, score);
            }
            totals.pings = addWithin(totals.pings, player.ping);
            ++totals.rows;
        }
        if (source == 2) {
            v.redScoreText += plainNumber(red.frags);
            v.blueScoreText += plainNumber(blue.frags);
        } else if (source == 3) {
            v.redScoreText = plainNumber(v.game.capsRedQ3) + "/" + plainNumber(red.frags);
            v.blueScoreText = plainNumber(v.game.capsBlueQ3) + "/" + plainNumber(blue.frags);
        }
        v.avgPingRed = averagePing(red);
        v.avgPingBlue = averagePing(blue);
    }
    v.redPingText = plainNumber(v.avgPingRed);
    v.bluePingText = plainNumber(v.avgPingBlue);
}

}  // namespace fc
