#include "match/match_control.h"

#include <cstdint>
#include <limits>

#include "core/app.h"
#include "core/line_sink.h"
#include "core/server_vars.h"
#include "core/text_util.h"
#include "match/match_clock.h"
#include "match/report_lines.h"

namespace fc {

namespace {

// A score as the 16-bit counters hold it; one out of their range leaves the counter as it was.
void StoreScore(std::int16_t& counter, const std::string& score) {
    const long long value = LeadingWhole(score);
    if (value >= std::numeric_limits<std::int16_t>::min() &&
        value <= std::numeric_limits<std::int16_t>::max()) {
        counter = static_cast<std::int16_t>(value);
    }
}

void SkipOrTake(App& app) {
    MainView& v = app.view;
    if (v.matchState == MatchState::Ready) {
        v.matchState = MatchState::Skip;
        v.Command2 = "Set 'Ready to start'";
    } else if (v.matchState == MatchState::Skip) {
        v.matchState = MatchState::Ready;
        v.Command2 = "Skip next match";
    }
}

// The operator's start: the next score report counts the points from here.
void StartClock(App& app, std::int32_t secondsPlayed) {
    StartBattleClock(app, secondsPlayed);
    app.view.game.lastReportedRed = 0;
    app.view.game.lastReportedBlue = 0;
}

// Of the Unreal Tournament games only the team game says the score at the report interval.
bool ReportsScoreEveryInterval(GameType type) {
    switch (type) {
        case GameType::UnrealTeamGame:
            return true;
        case GameType::UnrealCtf:
        case GameType::UnrealOther:
        case GameType::NoGameYet:
        case GameType::NotMonitoring:
        case GameType::Quake2Ctf:
        case GameType::Quake2Duel:
        case GameType::Quake2TeamDeathmatch:
        case GameType::Quake2FreeForAll:
        case GameType::Quake3OspFreeForAll:
        case GameType::Quake3OspScored:
        case GameType::Quake3TeamGame:
        case GameType::Quake3OspCtf:
        case GameType::Quake3BaseCtf:
            break;
    }
    return false;
}

// The score report of team games, made from the operator's deathmatch template.
void SendScoreReport(App& app) {
    MainView& v = app.view;
    ReportValues values;
    values.teamA = v.txtnaamRED;
    values.teamB = v.txtnaamBLUE;
    values.scoreA = v.qsRed;
    values.scoreB = v.qsBlue;
    values.pingA = PlainNumber(v.avgPingRed);
    values.pingB = PlainNumber(v.avgPingBlue);
    values.pointsA = SignedPoints(AddWithin(LeadingWhole(v.qsRed), -v.game.lastReportedRed));
    values.pointsB = SignedPoints(AddWithin(LeadingWhole(v.qsBlue), -v.game.lastReportedBlue));
    values.capper = "N/A";
    values.timeLeft = v.qsTimeLeft;
    stuurMSG(app, v.botChannel, MaakRegel(app, v.IRCLineDM, values), ReportKind::Periodic);
}

void NoteReportedScores(App& app) {
    StoreScore(app.view.game.lastReportedRed, app.view.qsRed);
    StoreScore(app.view.game.lastReportedBlue, app.view.qsBlue);
}

}  // namespace

std::string SignedPoints(long long points) {
    return (points < 0 ? "" : "+") + PlainNumber(points);
}

std::string TimePlayedText(const App& app) {
    return MinutesSeconds(app.view.game.secondsPlayed);
}

void OnMatchButton(App& app) {
    MainView& v = app.view;
    if (v.gameFamily == GameFamily::UT) {
        UTTimerControl(app);
        return;
    }
    app.battleTimer->setInterval(1000);
    if (v.matchState == MatchState::None) {
        v.matchState = MatchState::Running;
        const std::string g = ToLower(v.qsGame);
        // Games whose clock the program keeps itself start it with the seconds a match
        // typically runs before the operator gets to the button.
        switch (v.gameType) {
            case GameType::Quake3TeamGame:
                if (IsBaseQuake3(g) || g == "osp") StartClock(app, 11);
                break;
            case GameType::Quake3OspScored:
                if (g == "osp") StartClock(app, 15);
                break;
            case GameType::NoGameYet:
            case GameType::NotMonitoring:
            case GameType::Quake2Ctf:
            case GameType::Quake2Duel:
            case GameType::Quake2TeamDeathmatch:
            case GameType::Quake2FreeForAll:
            case GameType::Quake3OspFreeForAll:
            case GameType::Quake3OspCtf:
            case GameType::Quake3BaseCtf:
            case GameType::UnrealTeamGame:
            case GameType::UnrealCtf:
            case GameType::UnrealOther:
                break;
        }
        if (g == "battle") StartClock(app, 15);
    } else if (v.matchState == MatchState::Running) {
        v.matchState = MatchState::None;
        v.game.beginSaid = false;
        app.battleTimer->setEnabled(false);
        v.TimePlayedYVisible = false;
        v.TimePlayedXVisible = false;
        v.qsTimeLeftWide = true;
        v.qsTimeLeft = "20:00";
    } else {
        SkipOrTake(app);
    }
}

void UTTimerControl(App& app) {
    MainView& v = app.view;
    if (v.matchState == MatchState::Running) {
        app.UTTimer->setEnabled(false);
        v.game.UTTimerTag = v.ReportDM;
        v.matchState = MatchState::None;
    } else if (v.matchState == MatchState::None) {
        v.matchState = MatchState::Running;
        v.game.UTTimerTag = v.ReportDM;
        app.UTTimer->setEnabled(true);
    } else {
        SkipOrTake(app);
    }
}

void OnBattleTick(App& app) {
    MainView& v = app.view;
    if (v.matchState == MatchState::None || v.matchState == MatchState::Ready) {
        v.game.battleTimerTag = "0";
        return;
    }
    // The counter is compared before it is raised: with 60 a line goes out every 61st tick.
    const double counter = LeadingNumber(v.game.battleTimerTag);
    if (LeadingNumber(v.ReportDM) == counter) {
        v.game.battleTimerTag = "0";
        SendScoreReport(app);
        NoteReportedScores(app);
    } else {
        v.game.battleTimerTag = PlainNumber(AddWithin(WholeNumber(counter), 1));
    }
    if (v.TimePlayedY) v.TimePlayedX = TimePlayedText(app);
}

void OnUTTick(App& app) {
    MainView& v = app.view;
    // The countdown is lowered before the test: with 60 a line goes out every 60th tick.
    const long long countdown = LeadingWhole(v.game.UTTimerTag) - 1;
    v.game.UTTimerTag = PlainNumber(countdown);
    if (countdown == 0) {
        if (ReportsScoreEveryInterval(v.gameType)) SendScoreReport(app);
        NoteReportedScores(app);
        v.game.UTTimerTag = v.ReportDM;
    }
    ++v.game.secondsPlayed;
    v.qsTimeLeft = TijdMinus(Trim(v.TimeLimitDM) + ":00", TimePlayedText(app));
}

void OnTimePlayedXClicked(App& app) {
    app.view.TimePlayedXTag = "C";
}

void OnTimePlayedXEdited(App& app, const std::string& text) {
    if (app.view.TimePlayedXEditable) app.view.TimePlayedX = text;
}

void OnTimePlayedYChanged(App& app, bool checked) {
    MainView& v = app.view;
    v.TimePlayedY = checked;
    if (!checked) {
        v.TimePlayedX = TimePlayedText(app);
        v.TimePlayedXEditable = true;
        v.TimePlayedXTag.clear();
        return;
    }
    if (v.TimePlayedXTag == "C") {
        const std::size_t colon = v.TimePlayedX.find(':');
        const double minutes = LeadingNumber(v.TimePlayedX.substr(0, colon));
        const double seconds =
            colon == std::string::npos ? 0 : LeadingNumber(v.TimePlayedX.substr(colon + 1));
        const long long total = WholeNumber(minutes * 60 + seconds);
        if (total >= std::numeric_limits<std::int32_t>::min() &&
            total <= std::numeric_limits<std::int32_t>::max()) {
            v.game.secondsPlayed = static_cast<std::int32_t>(total);
        }
    }
    v.TimePlayedXEditable = false;
    v.TimePlayedXTag.clear();
}

void OnReportDMEdited(App& app, const std::string& text) {
    app.view.ReportDM = LeadingNumber(text) <= 0 ? "40" : text;
}

void OnCaptionTick(App& app) {
    MainView& v = app.view;
    if (!v.windowMinimised) {
        v.Caption = "~ FCST ~";
        return;
    }
    std::string red = v.qsRed;
    std::string blue = v.qsBlue;
    if (Contains(red, "/")) {
        red = red.substr(0, red.find('/'));
        blue = blue.substr(0, blue.find('/'));
    }
    v.Caption = v.txtnaamRED + " " + red + "|" + v.txtnaamBLUE + " " + blue + "|" + v.qsTimeLeft;
}

}  // namespace fc
