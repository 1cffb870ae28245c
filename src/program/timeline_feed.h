// Follows each game into a timeline as the match rules say its moments, and at its end says
// the summary line and hands the finished timeline on (the window and the headless run save
// its picture, which needs Qt).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/app.h"
#include "timeline/timeline.h"

namespace fc {

struct TimelineFeed {
    TimelineRecorder recorder;
    std::vector<Timeline> finished;  // the games ended since the start, oldest first
    std::function<void(const Timeline&)> gameEnded;
    // Something changed that a drawn timeline shows (a reply, a moment, a second).
    std::function<void()> changed;
};

// Sets the App's moment follower and chains the feed onto the reply and second followers.
void wireTimeline(App& app, TimelineFeed& feed);

// Where a game's picture is saved, beside the recordings: "demos/" and the date, time and map,
// e.g. "demos/timeline-2026-12-08-201500-q3ctf1.png".
std::string timelinePath(const Timeline& timeline, const std::string& extension);

}  // namespace fc
