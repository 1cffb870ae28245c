#include "monitor/recorder.h"

#include <cstdio>

#include "core/app.h"
#include "core/text_util.h"
#include "monitor/poller.h"
#include "monitor/recording_file.h"

namespace fc {

namespace {

std::string Replaced(std::string text, char from, const std::string& to) {
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

std::string TwoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n % 100);
    return text;
}

}  // namespace

void AppendToRecording(App& app, const std::string& reply) {
    const MainView& v = app.view;
    // A record that cannot be written is lost; monitoring goes on.
    app.platform.appendFile(v.RecordItDir + v.RecordItWhere,
                            FormatRecord(app.platform.localTime().secondsSinceMidnight, reply));
}

std::string RecordingsFolder(const std::string& currentFolder) {
    if (currentFolder.empty()) return "demos/";
    std::string sub = EndsWith(currentFolder, "/") ? "demos/" : "/demos/";
    if (currentFolder.size() >= 5 &&
        ToLower(currentFolder.substr(currentFolder.size() - 5)) == "demos") {
        sub.resize(sub.size() - 6);  // already the recordings folder: only the separator
    }
    return currentFolder + sub;
}

std::string RecordingName(const std::string& entry, const LocalTime& at) {
    std::string base;
    const std::size_t blank = entry.find(' ');
    if (blank != std::string::npos) {
        base = Replaced(Replaced(entry.substr(blank + 1), '(', "_"), ')', "_");
    } else {
        base = Replaced(entry, '.', "-");
    }
    base = Replaced(Replaced(Replaced(base, ' ', "_"), ':', "."), '/', "_");
    // The date in a form without the path separator a local short date may contain.
    const std::string date =
        PlainNumber(at.year) + "-" + TwoDigits(at.month) + "-" + TwoDigits(at.day);
    const int seconds = static_cast<int>(at.secondsSinceMidnight);
    const std::string time =
        TwoDigits(seconds / 3600) + TwoDigits(seconds / 60 % 60) + TwoDigits(seconds % 60);
    return date + "_" + base + time + ".rec";
}

void RecordItAutoSet(App& app) {
    MainView& v = app.view;
    v.RecordItDir = RecordingsFolder("");
    v.RecordItWhere = RecordingName(v.Q2Serverlist, app.platform.localTime());
}

void RefreshRecordItList(App& app) {
    MainView& v = app.view;
    v.RecordItList = app.platform.listDirectory(v.RecordItDir, ".rec");
    v.RecordItListSelected = -1;
}

void PlaySelected(App& app) {
    MainView& v = app.view;
    if (!v.Q2ServerlistEnabled) StopChecking(app);
    const int selected = v.RecordItListSelected;
    if (selected >= 0 && selected < static_cast<int>(v.RecordItList.size())) {
        OnServerEntryEdited(app, v.RecordItDir + v.RecordItList[selected]);
    }
    v.showGameTab = true;
}

}  // namespace fc
