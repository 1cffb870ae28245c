// The headless mode's JSON lines: one object per event, texts as the bytes read as Latin-1.
#pragma once

#include <string>

namespace fc {

class App;
struct SaidLine;
enum class LineFate;

// A JSON string literal of the bytes, each byte taken as the Latin-1 character of its code.
std::string jsonString(const std::string& bytes);

std::string replyEventJson(const App& app);
std::string outputEventJson(const std::string& text);
// A line handed to the channel, with what became of it at once: "sent", "held" (it waits for
// the bot to be back in its channel), "off" ("Report to IRC?") or "none" (no connection).
std::string reportEventJson(const std::string& target, const std::string& text, LineFate fate);
// What became of a line later: "held" again (the connection went while it was queued), "late"
// (it waited, and leaves now) or "dropped"; with the connection's state, the bot's nick and the
// time of day the line was said.
std::string ircLineEventJson(const std::string& state, const std::string& nick,
                             const SaidLine& line, LineFate fate);
const char* fateText(LineFate fate);
// A message box the operator would have seen.
std::string messageEventJson(const std::string& title, const std::string& text);
// After an event of the Interp feed's socket: its labels and the fields its clock drives.
std::string interpEventJson(const App& app);
// A template tried with --preview: the filled line and the preview's RTF document.
std::string previewEventJson(const std::string& line, const std::string& rtf);
// The login's outcome: "none", "pending", "ok", "failed" or "unavailable".
std::string ircEventJson(const std::string& state, const std::string& nick,
                         const std::string& login);
// A row of the server browser added or changed, and its status line.
struct ServerRow;
std::string rowEventJson(const ServerRow& row);
std::string statusEventJson(const std::string& text);
// A request to the chat room's webhook: "sent", "retry" (with the seconds it waits) or "failed",
// with the HTTP status (0: no answer), the lines it carried and the webhook's host alone.
struct WebhookNews;
std::string webhookEventJson(const WebhookNews& news);

}  // namespace fc
