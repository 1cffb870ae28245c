#include "timeline/timeline.h"

#include <algorithm>
#include <map>

namespace fc {

long long Timeline::pausedSeconds() const {
    long long paused = 0;
    for (const PauseBand& band : pauses) paused += band.to - band.from;
    return paused;
}

std::vector<ScoreSeries> shownSeries(const Timeline& timeline) {
    if (timeline.start.teams) return timeline.series;
    std::vector<ScoreSeries> players = timeline.series;
    std::stable_sort(
        players.begin(), players.end(),
        [](const ScoreSeries& a, const ScoreSeries& b) { return a.last() > b.last(); });
    if (players.size() > 5) players.resize(5);
    return players;
}

std::string summaryLine(const Timeline& timeline) {
    std::vector<std::string> parts;
    std::map<std::string, long long> caps;
    std::string topCapper;
    for (const CaptureMark& mark : timeline.captures) {
        const long long count = ++caps[mark.capper];
        if (topCapper.empty() || count > caps[topCapper]) topCapper = mark.capper;
    }
    if (!topCapper.empty())
        parts.push_back("Top capper: " + topCapper + " (" + std::to_string(caps[topCapper]) + ")");
    const auto top = std::max_element(
        timeline.players.begin(), timeline.players.end(),
        [](const PlayerScore& a, const PlayerScore& b) { return a.score < b.score; });
    if (top != timeline.players.end() && top->score > 0)
        parts.push_back("Top fragger: " + top->name + " (" + std::to_string(top->score) + ")");
    const long long played = std::max(0LL, timeline.end - timeline.pausedSeconds());
    const std::string seconds = std::to_string(played % 60);
    parts.push_back("Played: " + std::to_string(played / 60) + ":" +
                    (seconds.size() < 2 ? "0" : "") + seconds);
    std::string line;
    for (const std::string& part : parts) line += (line.empty() ? "" : "  ") + part;
    return line;
}

void TimelineRecorder::begin(const TimelineStart& start) {
    timeline_ = Timeline{};
    timeline_.start = start;
    running_ = true;
    paused_ = false;
    if (!start.teams) return;
    timeline_.series = {{start.redTeam, SeriesSide::Red, {{0, 0}}},
                        {start.blueTeam, SeriesSide::Blue, {{0, 0}}}};
}

void TimelineRecorder::second() {
    if (!running_) return;
    ++timeline_.end;
    if (paused_) timeline_.pauses.back().to = timeline_.end;
}

void TimelineRecorder::move(ScoreSeries& series, long long score) {
    if (!series.points.empty() && series.points.back().score == score) return;
    if (!series.points.empty() && series.points.back().seconds == timeline_.end)
        series.points.pop_back();
    series.points.push_back({timeline_.end, score});
}

ScoreSeries& TimelineRecorder::playerSeries(const std::string& name) {
    for (ScoreSeries& series : timeline_.series)
        if (series.name == name) return series;
    timeline_.series.push_back({name, SeriesSide::Player, {{0, 0}}});
    return timeline_.series.back();
}

void TimelineRecorder::scores(long long red, long long blue,
                              const std::vector<PlayerScore>& players) {
    if (!running_) return;
    timeline_.players = players;
    if (!timeline_.start.teams) {
        for (const PlayerScore& player : players) move(playerSeries(player.name), player.score);
    } else if (!timeline_.start.captures) {
        move(timeline_.series[0], red);
        move(timeline_.series[1], blue);
    }
}

void TimelineRecorder::capture(const std::string& team, const std::string& capper) {
    if (!running_) return;
    long long score = 0;
    if (timeline_.start.teams && (team == "Red" || team == "Blue")) {
        ScoreSeries& series = timeline_.series[team == "Red" ? 0 : 1];
        score = series.last() + (timeline_.start.captures ? 1 : 0);
        move(series, score);
    }
    timeline_.captures.push_back({timeline_.end, team, capper, score});
}

void TimelineRecorder::pause() {
    if (!running_ || paused_) return;
    paused_ = true;
    timeline_.pauses.push_back({timeline_.end, timeline_.end});
}

void TimelineRecorder::resume() {
    if (!running_ || !paused_) return;
    paused_ = false;
}

void TimelineRecorder::end(const std::string& finalScore) {
    if (!running_) return;
    resume();
    running_ = false;
    timeline_.ended = true;
    timeline_.finalScore = finalScore;
}

}  // namespace fc
