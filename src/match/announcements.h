// The fixed lines the match events say in the channel.
#pragma once

#include <string>

#include "core/line_sink.h"

namespace fc {

class App;

enum class BeginForm { Normal, ClockRule };

// "*** MATCH BEGIN *** ...": the server shown, or "[PRIVATE!]" for a private server.
std::string BeginLine(const App& app, BeginForm form);
std::string StoppedLine();
std::string PausedLine(const App& app, const std::string& timeLeft);
std::string ContinuesLine(const App& app);
std::string EndedLine(const App& app);
// The final score with the given scores instead of the shown ones.
std::string EndedLine(const App& app, const std::string& red, const std::string& blue);
std::string EndedCtfLine(const App& app, long long redCaptures, long long redFrags,
                         long long blueCaptures, long long blueFrags);
std::string ScoreLine(const App& app);

// Says a line in the bot's channel; its kind says what it is worth when it has to wait.
void Announce(App& app, const std::string& line, ReportKind kind = ReportKind::Event);

}  // namespace fc
