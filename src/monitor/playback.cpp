#include "monitor/playback.h"

#include <cmath>

#include "core/app.h"
#include "core/text_util.h"
#include "monitor/poller.h"
#include "monitor/recording_file.h"
#include "monitor/reply_handler.h"
#include "monitor/ut_packets.h"

namespace fc {

namespace {

// Ends the run; a damaged or unreadable recording is named with the record where it stopped.
void endPlayback(App& app, const std::string& damage) {
    const std::string path = app.playback.path;
    const int record = app.playback.recordsRead + 1;
    stopChecking(app);
    if (!damage.empty()) {
        app.appendOutput("Playback of " + path + " stopped at record " + plainNumber(record) +
                         ": " + damage + ".");
    }
    if (app.playbackEnded) app.playbackEnded();
}

// Reads the next record, taking the server records before it.
RecordRead nextReply(App::Playback& p) {
    RecordRead r = readRecord(p.bytes, p.offset);
    for (std::optional<std::string> server;
         r.kind == RecordRead::Kind::Record && (server = recordedServer(r.reply));
         r = readRecord(p.bytes, p.offset)) {
        p.server = std::move(*server);
        ++p.recordsRead;
    }
    return r;
}

constexpr double kDay = 86400;

// The match clocks' whole seconds from the reply replayed last to one recorded at `time`: a
// recording across midnight goes on from 0, and a gap of more than an hour is a new game.
void passRecordedTime(App& app, double time) {
    App::Playback& p = app.playback;
    const double reached = time < p.replayedTime - kDay / 2 ? time + kDay : time;
    const double seconds = std::floor(reached) - std::floor(p.replayedTime);
    for (int i = 0; i < seconds && seconds <= 3600; ++i)
        callFollower(app.monitorFollowers.recordedSecond, app);
    p.replayedTime = time;
}

}  // namespace

void startPlayback(App& app) {
    app.window.addServerEnabled = false;
    app.match.liveBanner = "Playing a demo!";
    app.window.liveBannerVisible = true;
    app.monitor.playerRows.clear();
    app.monitor.playerRows.push_back(PlayerRow{"Loading...", "", "", "", RowColour::Black});

    closePlaybackFile(app);
    App::Playback& p = app.playback;
    p.path = app.settings.serverEntry;
    p.server = p.path.substr(p.path.find_last_of('/') + 1);
    app.playbackTimer->setEnabled(true);
    std::optional<std::string> bytes = app.platform.readFile(p.path);
    if (!bytes) {
        endPlayback(app, "the file cannot be read");
        return;
    }
    p.bytes = std::move(*bytes);
    // The counting pass only sizes the progress bar.
    int records = 0;
    double firstTime = 0;
    for (std::size_t at = 0, read = 0;; ++read) {
        const RecordRead r = readRecord(p.bytes, at);
        if (r.kind != RecordRead::Kind::Record) break;
        if (read == 0) firstTime = r.time;
        if (!recordedServer(r.reply)) ++records;
    }
    app.monitor.playbackLength = records > 0 ? records : 1;
    app.monitor.playbackProgress = 0;
    app.window.playbackBarVisible = true;
    p.clock = p.replayedTime = firstTime;
    p.offset = 0;
    p.open = true;
    // The first record, too, answers a poll of its own.
    newUnrealQuery(app);
}

void onPlaybackTick(App& app) {
    App::Playback& p = app.playback;
    if (!p.open) {
        app.playbackTimer->setEnabled(false);
        return;
    }
    double now = p.clock;
    double time = p.heldTime;
    std::string reply;
    if (p.held) {
        reply = std::move(p.heldReply);
    } else {
        RecordRead r = nextReply(p);
        if (r.kind != RecordRead::Kind::Record) {
            endPlayback(app, r.damage);
            return;
        }
        ++p.recordsRead;
        time = r.time;
        reply = std::move(r.reply);
        // A recording across midnight goes on at the same pace into the next day.
        if (time < now - kDay / 2) now -= kDay;
    }
    if (now < time) {
        p.held = true;
        p.heldTime = time;
        p.heldReply = std::move(reply);
    } else {
        p.held = false;
        passRecordedTime(app, time);
        if (!reply.empty()) onReplayedReply(app, reply);
        if (!p.open) return;  // the reply ended the run
    }
    // Kept to a millionth of a second, so that steps of hundredths add up exactly.
    p.clock = std::round((now + app.monitor.playbackStep) * 1e6) / 1e6;
    // Each replayed record stands for a fresh poll.
    if (app.monitor.gameFamily == GameFamily::UT) newUnrealQuery(app);
}

void closePlaybackFile(App& app) {
    app.playback = App::Playback{};
}

void onProgressMousePressed(App& app, MouseButton button) {
    if (button == MouseButton::Left) app.monitor.playbackStep = 0.1;
    if (button == MouseButton::Right) app.monitor.playbackStep = 0.5;
}

void onProgressMouseReleased(App& app) {
    app.monitor.playbackStep = 0.01;
}

}  // namespace fc
