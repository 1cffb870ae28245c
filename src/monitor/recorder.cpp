#include "monitor/recorder.h"

namespace fc {

void AppendToRecording(App&, const std::string&) {}
void StartPlayback(App&) {}
void ClosePlaybackFile(App&) {}
void RecordItAutoSet(App&) {}
void RefreshRecordItList(App&) {}

}  // namespace fc
