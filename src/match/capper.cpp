#include "match/capper.h"

#include <cstdint>

#include "irc/outgoing.h"
#include "match/report_lines.h"
#include "monitor/server_vars.h"
#include "shell/app.h"
#include "shell/text_util.h"

namespace fc {

namespace {

constexpr std::size_t kNameWidth = 20;
constexpr std::size_t kScoreWidth = 5;
constexpr std::size_t kRecordWidth = kNameWidth + kScoreWidth;
constexpr std::size_t kSnapshotNameWidth = 50;
constexpr std::size_t kSnapshotScoreWidth = 10;
constexpr std::size_t kSnapshotWidth = kSnapshotNameWidth + kSnapshotScoreWidth;

// Fits a value into its fixed-width field: padded with blanks, or cut when longer.
std::string Field(const std::string& value, std::size_t width) {
    std::string out = value.substr(0, width);
    out.resize(width, ' ');
    return out;
}

bool HasRowOfTeam(const MainView& v, const std::string& name, const std::string& team) {
    const std::string wanted = ToLower(name);
    for (const PlayerRow& row : v.spelerLijst) {
        if (row.team == team && ToLower(Trim(row.name)) == wanted) return true;
    }
    return false;
}

bool AnyTeamAssigned(const MainView& v) {
    for (const PlayerRow& row : v.spelerLijst) {
        if (row.team != "Spec") return true;
    }
    return false;
}

std::string Unquoted(const std::string& field) {
    std::string name = Trim(field);
    if (!name.empty() && name.front() == '"') name.erase(0, 1);
    if (!name.empty() && name.back() == '"') name.pop_back();
    return name;
}

}  // namespace

std::string ZetInEenRegel(const std::string& reply) {
    std::string records;
    int lineBreaks = 0;
    int field = 0;
    std::string name;
    std::string score;
    for (char c : reply) {
        if (c == '\r' || c == '\n') {
            ++lineBreaks;
            field = 0;
            if (lineBreaks >= 3) {
                records += Field(name, kNameWidth) + Field(score, kScoreWidth);
                name.clear();
                score.clear();
            }
            continue;
        }
        if (lineBreaks < 2) continue;
        if (c == ' ') {
            ++field;
        } else if (field == 0) {
            score += c;
        } else if (field >= 2) {
            name += c;
        }
    }
    return records;
}

std::string ExtractPlayer(App& app, const std::string& current, const std::string& previous,
                          const std::string& team) {
    MainView& v = app.view;
    if (!AnyTeamAssigned(v)) v.teamsKnown = false;
    const bool quake3Ctf = v.gameType == "ctfq3" || v.gameType == "ctfbq3";
    const std::string a = ZetInEenRegel(quake3Ctf ? FilterQ3Colors(current) : current);
    const std::string b = ZetInEenRegel(quake3Ctf ? FilterQ3Colors(previous) : previous);
    // A capture is worth less than 9 points in Quake 3 mods (and at least 5 in base Quake 3,
    // more than any assist), less than 22 in Quake 2.
    const int upper = quake3Ctf ? 9 : 22;
    const int lowest = v.gameType == "ctfbq3" ? 5 : 0;
    std::int16_t best = 0;
    std::string result;
    const std::string marked = ToLower(v.markedPlayers);

    for (std::size_t at = 0; at + kRecordWidth <= a.size(); at += kRecordWidth) {
        const std::string nameField = a.substr(at, kNameWidth);
        const std::size_t found = b.find(nameField);
        if (found == std::string::npos) continue;
        const long long now = WholeNumber(LeadingNumber(a.substr(at + kNameWidth, kScoreWidth)));
        const long long before =
            WholeNumber(LeadingNumber(b.substr(found + kNameWidth, kScoreWidth)));
        const long long rise = now - before;
        const std::string candidate = Unquoted(nameField);
        const bool onTeam = !v.teamsKnown || HasRowOfTeam(v, candidate, team);
        if (best < rise && rise < upper && rise >= lowest) {
            best = static_cast<std::int16_t>(rise);
            if (onTeam) result = candidate;
        } else if (rise == best && now > before && !Contains(marked, ToLower(candidate)) &&
                   onTeam) {
            result += " or " + candidate;
        }
    }
    v.teamsKnown = true;
    return result;
}

std::string MaakSpelerLijst(const App& app) {
    std::string snapshot;
    for (const PlayerRow& row : app.view.spelerLijst) {
        snapshot += Field(row.name, kSnapshotNameWidth) + Field(row.score, kSnapshotScoreWidth);
    }
    return snapshot;
}

void CheckVoorCaps(App& app, const std::string& previousSnapshot) {
    MainView& v = app.view;
    std::string cappers;
    bool found = false;
    for (const PlayerRow& row : v.spelerLijst) {
        const std::string rowName = ToLower(Trim(row.name));
        const double rowScore = LeadingNumber(Trim(row.score));
        for (std::size_t at = 0; at + kSnapshotWidth <= previousSnapshot.size();
             at += kSnapshotWidth) {
            const std::string oldName = Trim(previousSnapshot.substr(at, kSnapshotNameWidth));
            const std::string oldScore =
                Trim(previousSnapshot.substr(at + kSnapshotNameWidth, kSnapshotScoreWidth));
            if (oldName.empty() || ToLower(oldName) != rowName) continue;
            if (rowScore < LeadingNumber(oldScore) + 7) continue;
            cappers += oldName + " or ";
            if (row.team == "Red") {
                ++v.capsRed;
            } else if (row.team == "Blue") {
                ++v.capsBlue;
            }
            found = true;
        }
    }
    if (!found) return;
    cappers.resize(cappers.size() - 4);
    if (v.matchState != 1) return;
    ReportValues values;
    values.teamA = v.txtnaamRED;
    values.teamB = v.txtnaamBLUE;
    values.scoreA = PlainNumber(v.capsRed);
    values.scoreB = PlainNumber(v.capsBlue);
    values.pingA = v.lblLagRed;
    values.pingB = v.lblLagBlue;
    values.pointsA = "N/A";
    values.pointsB = "N/A";
    values.capper = cappers;
    values.timeLeft = v.qsTimeLeft;
    stuurMSG(app, v.botChannel, MaakRegel(app, v.IRCLineCTF, values));
}

}  // namespace fc
