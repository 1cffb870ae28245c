#include "program/timeline_feed.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "core/game_type.h"
#include "core/text_util.h"
#include "match/announcements.h"
#include "monitor/recorder.h"

namespace fc {

namespace {

std::string beganText(const App& app) {
    const LocalTime now = app.platform.localTime();
    const long long s = static_cast<long long>(now.secondsSinceMidnight);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02lld:%02lld:%02lld", now.year, now.month,
                  now.day, s / 3600, s / 60 % 60, s % 60);
    return text;
}

TimelineStart startOf(const App& app) {
    const GameTypeInfo info = describe(app.monitor.gameType);
    return {app.monitor.mapText,   app.settings.serverIsPrivate ? "[PRIVATE!]" : serverText(app),
            app.match.redTeamName, app.match.blueTeamName,
            beganText(app),        info.teamGame,
            info.captureGame};
}

void sample(App& app, TimelineFeed& feed) {
    std::vector<PlayerScore> players;
    // Every player: where the sides are not known, every one of them reads as a spectator.
    for (const StatusPlayer& player : app.status.players)
        players.push_back({player.name, player.score});
    // A server's score may be any number: held within what a whole number carries.
    feed.recorder.scores(wholeNumber(app.status.red.points), wholeNumber(app.status.blue.points),
                         players);
}

void changed(TimelineFeed& feed) {
    if (feed.changed) feed.changed();
}

void onMoment(App& app, TimelineFeed& feed, const MatchMoment& moment) {
    TimelineRecorder& recorder = feed.recorder;
    switch (moment.kind) {
        case MomentKind::Begin:
            recorder.begin(startOf(app));
            sample(app, feed);
            break;
        case MomentKind::Capture:
            recorder.capture(moment.team, moment.capper);
            break;
        case MomentKind::Pause:
            recorder.pause();
            break;
        case MomentKind::Continue:
            recorder.resume();
            break;
        case MomentKind::Stop:
            recorder.end("");
            break;
        case MomentKind::End: {
            if (!recorder.running()) break;
            const std::string mark = "FINAL SCORE: ";
            const std::size_t at = moment.line.find(mark);
            recorder.end(at == std::string::npos ? "" : moment.line.substr(at + mark.size()));
            feed.finished.push_back(recorder.current());
            if (app.settings.reportSummary)
                announce(app, summaryLine(recorder.current()), ReportKind::Essential);
            if (feed.gameEnded) feed.gameEnded(recorder.current());
            break;
        }
    }
    changed(feed);
}

// Runs `step`, then `before` and the step that was there.
template <typename Step, typename... Args>
void chain(Step& step, std::function<void(Args...)> before) {
    step = [old = step, before](Args... args) {
        before(args...);
        if (old) old(args...);
    };
}

}  // namespace

void wireTimeline(App& app, TimelineFeed& feed) {
    app.matchMoment = [&app, &feed](const MatchMoment& m) { onMoment(app, feed, m); };
    MonitorFollowers& follow = app.monitorFollowers;
    // The scores are taken before the rules, so an end said by this reply has its frags.
    const std::function<void(App&)> take = [&feed](App& a) {
        sample(a, feed);
        changed(feed);
    };
    chain(follow.matchEventRules, take);
    chain(follow.unrealReplyRead, std::function<void(App&, const std::string&)>(
                                      [take](App& a, const std::string&) { take(a); }));
    // The game's time: the program's seconds, in a replay the recording's.
    chain(follow.recordedSecond,
          std::function<void(App&)>([&feed](App&) { feed.recorder.second(); }));
    app.playedSecondsTimer->onTick = [&app, &feed, old = app.playedSecondsTimer->onTick] {
        if (!app.playback.open) feed.recorder.second();
        if (old) old();
    };
}

std::string timelinePath(const Timeline& timeline, const std::string& extension) {
    std::string stamp = timeline.start.began;
    for (char& c : stamp)
        if (c == ' ') c = '-';
    std::erase(stamp, ':');
    std::string map;
    for (const char c : timeline.start.map)
        map += std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' ? c : '_';
    return recordingsFolder("") + "timeline-" + stamp + (map.empty() ? "" : "-" + map) + "." +
           extension;
}

}  // namespace fc
