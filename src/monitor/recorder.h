// Recording the replies of a match to a file and playing a recording back.
#pragma once

#include <string>

namespace fc {

class App;

// The recorder is not built yet; these are the places the monitor calls it from, and each
// deliberately does nothing for now.
void AppendToRecording(App& app, const std::string& reply);
void StartPlayback(App& app);
void ClosePlaybackFile(App& app);
// "Auto set text now" (proposes the recording's folder and file name) and "Refresh list"
// (lists the recordings in that folder); start-up runs both once.
void RecordItAutoSet(App& app);
void RefreshRecordItList(App& app);

}  // namespace fc
