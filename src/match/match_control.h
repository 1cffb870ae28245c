// The operator's match control, the match clocks and the periodic score report.
#pragma once

#include <string>

namespace fc {

class App;

// The match button: start or stop a match by hand, skip the coming match or take it after all.
void OnMatchButton(App& app);
// The same for Unreal Tournament servers, whose clock is kept here.
void UTTimerControl(App& app);

// The time played as minutes, ":" and two-digit seconds.
std::string TimePlayedText(const App& app);

// Once a second while the Quake match clock runs: the periodic report.
void OnBattleTick(App& app);
// Once a second while the Unreal Tournament clock runs: countdown, report and time left.
void OnUTTick(App& app);

// Correcting the time played by hand.
void OnTimePlayedXClicked(App& app);
void OnTimePlayedXEdited(App& app, const std::string& text);
void OnTimePlayedYChanged(App& app, bool checked);

// The report interval; nothing positive is read as 40 seconds.
void OnReportDMEdited(App& app, const std::string& text);

// Once a second: while minimised the window caption shows the score.
void OnCaptionTick(App& app);

// A score change as the report shows it: +3, +0, -1.
std::string SignedPoints(long long points);

}  // namespace fc
