#include "monitor/recorder.h"

#include <cstdio>

#include "core/app.h"
#include "core/text_util.h"
#include "monitor/poller.h"
#include "monitor/recording_file.h"

namespace fc {

namespace {

std::string replaced(std::string text, char from, const std::string& to) {
    std::string out;
    for (char c : text) {
        if (c == from) {
            out += to;
        } else {
            out += c;
        }
    }
    return out;
}

std::string twoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n % 100);
    return text;
}

}  // namespace

void appendToRecording(App& app, const std::string& reply) {
    const std::string path = app.monitor.recordingFolder + app.monitor.recordingFileName;
    const double now = app.platform.localTime().secondsSinceMidnight;
    std::string records;
    // The run's first reply in this file comes after the server it was polled from.
    if (app.monitor.serverRecordedIn != path) {
        app.monitor.serverRecordedIn = path;
        records = formatServerRecord(
            now, app.gameSocket->remoteHost() + ":" + plainNumber(app.gameSocket->remotePort()));
    }
    // A record that cannot be written is lost; monitoring goes on.
    app.platform.appendFile(path, records + formatRecord(now, reply));
}

std::string recordingsFolder(const std::string& currentFolder) {
    if (currentFolder.empty()) return "demos/";
    std::string sub = textEndsWith(currentFolder, "/") ? "demos/" : "/demos/";
    if (currentFolder.size() >= 5 &&
        toLower(currentFolder.substr(currentFolder.size() - 5)) == "demos") {
        sub.resize(sub.size() - 6);  // already the recordings folder: only the separator
    }
    return currentFolder + sub;
}

std::string recordingName(const std::string& entry, const LocalTime& at) {
    std::string base;
    const std::size_t blank = entry.find(' ');
    if (blank != std::string::npos) {
        base = replaced(replaced(entry.substr(blank + 1), '(', "_"), ')', "_");
    } else {
        base = replaced(entry, '.', "-");
    }
    base = replaced(replaced(replaced(base, ' ', "_"), ':', "."), '/', "_");
    // The date in a form without the path separator a local short date may contain.
    const std::string date =
        plainNumber(at.year) + "-" + twoDigits(at.month) + "-" + twoDigits(at.day);
    const int seconds = static_cast<int>(at.secondsSinceMidnight);
    const std::string time =
        twoDigits(seconds / 3600) + twoDigits(seconds / 60 % 60) + twoDigits(seconds % 60);
    return date + "_" + base + time + ".rec";
}

void proposeRecordingName(App& app) {
    app.monitor.recordingFolder = recordingsFolder("");
    app.monitor.recordingFileName =
        recordingName(app.settings.serverEntry, app.platform.localTime());
}

void refreshRecordedDemos(App& app) {
    app.monitor.recordedDemos = app.platform.listDirectory(app.monitor.recordingFolder, ".rec");
    app.monitor.recordedDemoSelected = -1;
}

void playSelected(App& app) {
    if (!app.window.serverEntryEnabled) stopChecking(app);
    const int selected = app.monitor.recordedDemoSelected;
    if (selected >= 0 && selected < static_cast<int>(app.monitor.recordedDemos.size())) {
        onServerEntryEdited(app, app.monitor.recordingFolder + app.monitor.recordedDemos[selected]);
    }
    app.window.showGameTab = true;
}

}  // namespace fc
