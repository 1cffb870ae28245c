// The `--json` events of the timeline: the data a game's picture draws, and its summary.
#pragma once

#include <string>

#include "timeline/timeline.h"

namespace fc {

// {"event":"timeline", map, server, teams, began, end, finalScore, series with their
// [seconds, score] points, captures with seconds, team and capper, pauses as [from, to]}.
std::string timelineEventJson(const Timeline& timeline);

// {"event":"summary","line":...,"played":seconds}
std::string summaryEventJson(const Timeline& timeline);

}  // namespace fc
