// The headless mode's JSON lines: one object per event, texts as the bytes read as Latin-1.
#pragma once

#include <string>

namespace fc {

struct MainView;

// A JSON string literal of the bytes, each byte taken as the Latin-1 character of its code.
std::string JsonString(const std::string& bytes);

std::string ReplyEventJson(const MainView& view);
std::string OutputEventJson(const std::string& text);
std::string ReportEventJson(const std::string& target, const std::string& text);
// A message box the operator would have seen.
std::string MessageEventJson(const std::string& title, const std::string& text);
// After an event of the Interp feed's socket: its labels and the fields its clock drives.
std::string InterpEventJson(const MainView& view);
// A template tried with --preview: the filled line and the preview's RTF document.
std::string PreviewEventJson(const std::string& line, const std::string& rtf);
std::string IrcEventJson(const std::string& state, const std::string& nick);
// A row of the server browser added or changed, and its status line.
struct ServerRow;
std::string RowEventJson(const ServerRow& row);
std::string StatusEventJson(const std::string& text);

}  // namespace fc
