// The operator's match control, the match clocks and the periodic score report.
#pragma once

#include <string>

namespace fc {

class App;

// The match button: start or stop a match by hand, skip the coming match or take it after all.
void onMatchButton(App& app);
// The same for Unreal Tournament servers, whose clock is kept here.
void onUnrealMatchButton(App& app);

// The time played as minutes, ":" and two-digit seconds.
std::string timePlayedText(const App& app);

// Once a second while the Quake match clock runs: the periodic report.
void onBattleTick(App& app);
// Once a second while the Unreal Tournament clock runs: countdown, report and time left.
void onUnrealTick(App& app);

// Correcting the time played by hand.
void onTimePlayedClicked(App& app);
void onTimePlayedEdited(App& app, const std::string& text);
void onFollowClockChanged(App& app, bool checked);

// The report interval; nothing positive is read as 40 seconds.
void onReportIntervalEdited(App& app, const std::string& text);
void onReportIntervalLeft(App& app);

// Once a second: while minimised the window caption shows the score.
void onCaptionTick(App& app);

// A score change as the report shows it: +3, +0, -1.
std::string signedPoints(long long points);

}  // namespace fc
