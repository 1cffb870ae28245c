#include "monitor/team_sums.h"

#include "monitor/server_vars.h"
#include "shell/app.h"
#include "shell/text_util.h"

namespace fc {

namespace {

long long Column(const std::string& text) {
    return WholeNumber(LeadingNumber(Strip160(text)));
}

// Sums stay within 64 bits however large the numbers a server sends.
long long Add(long long a, long long b) {
    return WholeNumber(static_cast<double>(a) + static_cast<double>(b));
}

struct TeamTotals {
    long long frags = 0;
    long long pings = 0;
    long long rows = 0;
};

std::int32_t Average(const TeamTotals& t) {
    return t.rows == 0 ? 0
                       : static_cast<std::int32_t>(WholeNumber(static_cast<double>(t.pings) /
                                                               static_cast<double>(t.rows)));
}

}  // namespace

int ScoreSource(const App& app) {
    const MainView& v = app.view;
    const bool osp = v.qsGame == "osp";
    int source = 0;
    if (v.gameType == "dmq3" && osp) source = 1;
    if (v.gameType == "ctf") source = 1;
    if (v.gameType == "ctfq3" && osp) source = 1;
    if (v.gameType == "ctfbq3") source = 3;
    if (source == 3) return source;
    if (v.qsStats.empty() && !osp) source = 0;
    return source;
}

void AddTeamSums(App& app, const std::string& reply) {
    MainView& v = app.view;
    v.TempLabel1 = v.teamsKnown ? "True" : "False";
    v.avgPingRed = 0;
    v.avgPingBlue = 0;
    if (v.teamsKnown) {
        int source = ScoreSource(app);
        if (source == 0 && v.gameType != "dm") {
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
            const long long score = Column(row.score);
            TeamTotals& totals = isRed ? red : blue;
            if (source == 0) {
                std::string& shown = isRed ? v.qsRed : v.qsBlue;
                shown = BlankNumber(WholeNumber(LeadingNumber(shown) + static_cast<double>(score)));
            } else if (source == 2 || source == 3) {
                totals.frags = Add(totals.frags, score);
            }
            totals.pings = Add(totals.pings, Column(row.ping));
            ++totals.rows;
        }
        if (source == 2) {
            v.qsRed += PlainNumber(red.frags);
            v.qsBlue += PlainNumber(blue.frags);
        } else if (source == 3) {
            v.qsRed = PlainNumber(v.capsRedQ3) + "/" + PlainNumber(red.frags);
            v.qsBlue = PlainNumber(v.capsBlueQ3) + "/" + PlainNumber(blue.frags);
        }
        v.avgPingRed = Average(red);
        v.avgPingBlue = Average(blue);
    }
    v.lblLagRed = PlainNumber(v.avgPingRed);
    v.lblLagBlue = PlainNumber(v.avgPingBlue);
}

void CheckNWissel(App& app) {
    MainView& v = app.view;
    if (v.gameType != "ctf" || v.spelerLijst.empty()) return;
    long long redTags = 0;
    long long blueTags = 0;
    for (const PlayerRow& row : v.spelerLijst) {
        if (Contains(row.name, v.txtnaamRED)) {
            redTags = Add(redTags, Column(row.score));
        } else if (Contains(row.name, v.txtnaamBLUE)) {
            blueTags = Add(blueTags, Column(row.score));
        }
    }
    const std::size_t redSlash = v.qsRed.find('/');
    const std::size_t blueSlash = v.qsBlue.find('/');
    if (redSlash == std::string::npos || blueSlash == std::string::npos) return;
    const double redFrags = LeadingNumber(v.qsRed.substr(redSlash + 1));
    const double blueFrags = LeadingNumber(v.qsBlue.substr(blueSlash + 1));
    v.teamsSwapped = (redTags > blueTags && blueFrags > redFrags) ||
                     (redTags < blueTags && blueFrags < redFrags);
}

}  // namespace fc
