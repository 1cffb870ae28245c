// One game as a picture's data: each side's score over the game's time, the captures with
// their cappers, the pauses, and what the picture names (map, server, teams, begin, final
// score). Built as the game is followed, live or replayed; drawn and written elsewhere.
#pragma once

#include <string>
#include <vector>

namespace fc {

struct TimePoint {
    long long seconds;  // since the game's begin, pauses included
    long long score;
};

// A line of the picture: a team (coloured as its side) or, in games without teams, a player.
enum class SeriesSide { Red, Blue, Player };

struct ScoreSeries {
    std::string name;
    SeriesSide side;
    std::vector<TimePoint> points;  // a point where the score changed, the first at the begin
    long long last() const { return points.empty() ? 0 : points.back().score; }
};

struct CaptureMark {
    long long seconds;
    std::string team;  // "Red", "Blue", or "" when the sides were not known
    std::string capper;
    long long score;  // the team's captures after it
};

struct PauseBand {
    long long from;
    long long to;
};

struct PlayerScore {
    std::string name;
    long long score;
};

struct TimelineStart {
    std::string map;
    std::string server;  // "[PRIVATE!]" for a private server
    std::string redTeam;
    std::string blueTeam;
    std::string began;  // the date and time of day of the begin
    bool teams = true;
    bool captures = false;
};

struct Timeline {
    TimelineStart start;
    long long end = 0;  // seconds since the begin; grows while the game runs
    bool ended = false;
    std::string finalScore;  // as the final score line gives it
    std::vector<ScoreSeries> series;
    std::vector<CaptureMark> captures;
    std::vector<PauseBand> pauses;
    std::vector<PlayerScore> players;  // the players' frags as last seen

    long long pausedSeconds() const;
};

// The lines a picture draws: both teams, or the five players with the most frags.
std::vector<ScoreSeries> shownSeries(const Timeline& timeline);

// "Top capper: NAME (N)  Top fragger: NAME (N)  Played: M:SS", leaving out what the game
// cannot know (no capture, no player).
std::string summaryLine(const Timeline& timeline);

// Follows one game at a time, from its begin to its end.
class TimelineRecorder {
public:
    void begin(const TimelineStart& start);
    // A second of the game's time passed (the program's clock, or a replay's recorded one).
    void second();
    // The scores of a reply: the teams' frags and the players'. Team lines of capture games
    // move by the captures instead.
    void scores(long long red, long long blue, const std::vector<PlayerScore>& players);
    void capture(const std::string& team, const std::string& capper);
    void pause();
    void resume();
    void end(const std::string& finalScore);

    bool running() const { return running_; }
    const Timeline& current() const { return timeline_; }

private:
    void move(ScoreSeries& series, long long score);
    ScoreSeries& playerSeries(const std::string& name);

    Timeline timeline_;
    bool running_ = false;
    bool paused_ = false;
};

}  // namespace fc
