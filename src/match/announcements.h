// The fixed lines the match events say in the channel.
#pragma once

#include <string>

#include "core/line_sink.h"
#include "core/match_moments.h"
#include "core/time_left.h"

namespace fc {

class App;

enum class BeginForm { Normal, ClockRule };

// The server the lines name: the one polled, or in a replay the recorded one.
std::string serverText(const App& app);

// "*** MATCH BEGIN *** ...": the server shown, or "[PRIVATE!]" for a private server.
std::string beginLine(const App& app, BeginForm form);
std::string stoppedLine();
std::string pausedLine(const App& app, const TimeLeft& timeLeft);
std::string continuesLine(const App& app);
std::string endedLine(const App& app);
// The final score with the given scores instead of the shown ones.
std::string endedLine(const App& app, const std::string& red, const std::string& blue);
std::string endedCtfLine(const App& app, long long redCaptures, long long redFrags,
                         long long blueCaptures, long long blueFrags);
std::string scoreLine(const App& app);

// Says a line in the bot's channel; its kind says what it is worth when it has to wait.
void announce(App& app, const std::string& line, ReportKind kind = ReportKind::Event);

// Hands a moment just said to whoever follows the game; nothing when nobody does.
void tellMoment(App& app, const MatchMoment& moment);

}  // namespace fc
