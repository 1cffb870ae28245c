#include "interp/interp_clock.h"

#include <optional>
#include <utility>

#include "core/app.h"
#include "core/text_util.h"
#include "interp/interp_feed.h"
#include "match/match_clock.h"
#include "match/report_lines.h"

namespace fc {

namespace {

constexpr const char* kMatchLength = "20:00";

// The text before the first `separator`, or nothing when there is none.
std::optional<std::string> Before(const std::string& text, const std::string& separator) {
    const std::size_t at = text.find(separator);
    if (at == std::string::npos) return std::nullopt;
    return text.substr(0, at);
}

std::optional<std::string> After(const std::string& text, const std::string& separator) {
    const std::size_t at = text.find(separator);
    if (at == std::string::npos) return std::nullopt;
    return text.substr(at + separator.size());
}

std::string From(const std::string& line, std::size_t position) {
    return position - 1 < line.size() ? line.substr(position - 1) : std::string();
}

void FlagsHome(MainView& v) {
    v.StatRed = "*** home ***";
    v.StatBlue = "*** home ***";
}

// The score fields take one number followed by "/": the feed gives no second number. A line
// without its separator leaves that field as it was. The status the bot answers from tells the
// same scores.
void SetScoreFields(App& app, const std::string& scores, const std::string& line) {
    MainView& v = app.view;
    if (auto red = Before(scores, "-")) v.qsRed = Trim(*red) + "/";
    if (auto blue = After(line, " - ")) v.qsBlue = Trim(*blue) + "/";
    app.status.red = ReadTeamScore(v.qsRed);
    app.status.blue = ReadTeamScore(v.qsBlue);
}

// The two numbers of a score field around its "/": "3/" is 3 and 0; without "/" the whole
// field is the second number.
std::pair<long long, long long> ScoreParts(const std::string& field) {
    const std::size_t slash = field.find('/');
    if (slash == std::string::npos) return {0, LeadingWhole(field)};
    return {LeadingWhole(field.substr(0, slash)), LeadingWhole(field.substr(slash + 1))};
}

// The feed's capture score, its match start and final score are as worth keeping as the
// monitor's own.
void Report(App& app, const std::string& text) {
    stuurMSG(app, app.view.botChannel, text, ReportKind::Essential);
}

}  // namespace

bool InterpTakesOver(const App& app) {
    if (!app.view.InterpReport) return false;
    // Osp capture-the-flag publishes its own scores and time: the poll keeps them.
    switch (app.view.gameType) {
        case GameType::Quake3OspCtf:
            return false;
        case GameType::NoGameYet:
        case GameType::NotMonitoring:
        case GameType::Quake2Ctf:
        case GameType::Quake2Duel:
        case GameType::Quake2TeamDeathmatch:
        case GameType::Quake2FreeForAll:
        case GameType::Quake3OspFreeForAll:
        case GameType::Quake3OspScored:
        case GameType::Quake3TeamGame:
        case GameType::Quake3BaseCtf:
        case GameType::UnrealTeamGame:
        case GameType::UnrealCtf:
        case GameType::UnrealOther:
            break;
    }
    return true;
}

void InterpCurrentScore(App& app, const std::string& line) {
    FlagsHome(app.view);
    if (InterpTakesOver(app)) SetScoreFields(app, From(line, 26), line);
}

void InterpScore(App& app, const std::string& line) {
    MainView& v = app.view;
    FlagsHome(v);
    if (!InterpTakesOver(app)) return;
    const std::string scores = From(line, 18);
    SetScoreFields(app, scores, line);
    ReportValues values;
    values.teamA = v.txtnaamRED;
    values.teamB = v.txtnaamBLUE;
    values.scoreA = Trim(Before(scores, " - ").value_or(""));
    values.scoreB = Trim(After(line, " - ").value_or(""));
    values.pingA = values.pingB = values.pointsA = values.pointsB = "N/A";
    values.capper = v.interpCapper;
    values.timeLeft = v.qsTimeLeft;
    Report(app, MaakRegel(app, v.IRCLineCTF, values));
}

void InterpTimelimitHit(App& app) {
    app.InterpTimer->setEnabled(false);
    app.view.InterpTimerTag = "19:59";
    OnInterpTick(app);
}

void InterpMatchStarted(App& app, const std::string& line) {
    if (!InterpTakesOver(app)) return;
    app.view.InterpTimerTag = "0:00";
    app.InterpTimer->setEnabled(true);
    const std::string server =
        app.view.serverIsPrivate ? "[PRIVATE!]" : app.QuakeStatus->remoteAddress();
    Report(app,
           "*** MATCH HAS STARTED! *** Server: " + server + " - Using Interp! - " + From(line, 18));
}

void InterpTimeLeft(App& app, const std::string& line) {
    if (app.InterpTimer->enabled()) return;
    app.view.InterpTimerTag = TijdMinus(kMatchLength, Trim(From(line, 12)));
    app.InterpTimer->setEnabled(true);
    SendInterp(app, "FLAGSTAT");
}

void OnInterpTick(App& app) {
    if (!InterpTakesOver(app)) return;
    MainView& v = app.view;
    const std::size_t colon = v.InterpTimerTag.find(':');
    if (colon == std::string::npos) {
        // More than the match length was left ("INT"): such a clock never counts and never ends
        // a match. Stopped, the service's next "Time Left:" line can set it right.
        app.InterpTimer->setEnabled(false);
        return;
    }
    long long minutes = LeadingWhole(v.InterpTimerTag.substr(0, colon));
    long long seconds = AddWithin(LeadingWhole(v.InterpTimerTag.substr(colon + 1)), 1);
    if (seconds >= 60) {
        seconds = 0;
        minutes = AddWithin(minutes, 1);
    }
    v.InterpTimerTag =
        PlainNumber(minutes) + ":" + (seconds < 10 ? "0" : "") + PlainNumber(seconds);
    if (v.InterpTimerTag == kMatchLength) {
        if (v.matchState == MatchState::Running) {
            const auto [red1, red2] = ScoreParts(v.qsRed);
            const auto [blue1, blue2] = ScoreParts(v.qsBlue);
            Report(app, "*** MATCH HAS ENDED! *** FINAL SCORE: [" + v.txtnaamRED + "] " +
                            PlainNumber(red1) + " (" + PlainNumber(red2) + ") / [" + v.txtnaamBLUE +
                            "] " + PlainNumber(blue1) + " (" + PlainNumber(blue2) + ")");
            v.matchState = MatchState::None;
        }
        v.InterpTimerTag = "INT";
        app.InterpTimer->setEnabled(false);
    }
    v.qsTimeLeft = v.InterpTimerTag == "INT" ? "INT" : TijdMinus(kMatchLength, v.InterpTimerTag);
}

}  // namespace fc
