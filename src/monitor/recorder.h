// Recording the replies of a match to a file, and the Record tab's buttons.
#pragma once

#include <string>

#include "core/platform.h"

namespace fc {

class App;

// Appends a reply, stamped with the time of day, to the file the Record tab names. The file is
// opened and closed for every reply; an existing file is never truncated.
void appendToRecording(App& app, const std::string& reply);

// The recordings' folder for a current folder: its "demos" sub-folder, or the folder itself
// when it already is one. "" (the program directory) gives "demos/".
std::string recordingsFolder(const std::string& currentFolder);
// The proposed file name for a server entry at a moment: date, "_", the entry made safe for a
// file name (the comment when there is one), the time's digits and ".rec".
std::string recordingName(const std::string& entry, const LocalTime& at);

// "Auto set text now": proposes folder and file name; start-up runs it once.
void proposeRecordingName(App& app);
// "Refresh list": the recordings in the folder.
void refreshRecordedDemos(App& app);
// "Play selected": ends any run and puts the selected recording into the server entry.
void playSelected(App& app);

}  // namespace fc
