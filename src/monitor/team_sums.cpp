#include "monitor/team_sums.h"

#include "core/app.h"
#include "core/server_vars.h"
#include "core/team_totals.h"
#include "core/text_util.h"

namespace fc {

int ScoreSource(const App& app) {
    const MainView& v = app.view;
    const bool osp = v.qsGame == "osp";
    int source = 0;
    switch (Describe(v.gameType).teamScores) {
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
    if (v.qsStats.empty() && !osp) source = 0;
    return source;
}

void AddTeamSums(App& app, const std::string& reply) {
    MainView& v = app.view;
    v.TempLabel1 = v.teamsKnown;
    v.avgPingRed = 0;
    v.avgPingBlue = 0;
    if (v.teamsKnown) {
        int source = ScoreSource(app);
        // Tourney and Battle keep what is shown: the Tourney scores come from the mod's variables.
        const bool keepShown = Describe(v.gameType).teamScores == TeamScores::TourneyScores;
        if (source == 0 && !keepShown) {
            v.qsRed.clear();
            v.qsBlue.clear();
        }
        if (source != 3) {
            if (EndsWith(v.qsRed, "/")) source = 2;
            if (!GetServerVar("Score_A", reply).empty()) source = 1;
        }
        TeamTotals red;
        TeamTotals blue;
        for (const PlayerRow& row : v.spelerLijst) {
            const bool isRed = row.team == "Red";
            if (!isRed && row.team != "Blue") continue;
            const long long score = ColumnNumber(row.score);
            TeamTotals& totals = isRed ? red : blue;
            if (source == 0) {
                std::string& shown = isRed ? v.qsRed : v.qsBlue;
                shown = BlankNumber(WholeNumber(LeadingNumber(shown) + static_cast<double>(score)));
            } else if (source == 2 || source == 3) {
                totals.frags = AddWithin(totals.frags, score);
            }
            totals.pings = AddWithin(totals.pings, ColumnNumber(row.ping));
            ++totals.rows;
        }
        if (source == 2) {
            v.qsRed += PlainNumber(red.frags);
            v.qsBlue += PlainNumber(blue.frags);
        } else if (source == 3) {
            v.qsRed = PlainNumber(v.game.capsRedQ3) + "/" + PlainNumber(red.frags);
            v.qsBlue = PlainNumber(v.game.capsBlueQ3) + "/" + PlainNumber(blue.frags);
        }
        v.avgPingRed = AveragePing(red);
        v.avgPingBlue = AveragePing(blue);
    }
    v.lblLagRed = PlainNumber(v.avgPingRed);
    v.lblLagBlue = PlainNumber(v.avgPingBlue);
}

}  // namespace fc
