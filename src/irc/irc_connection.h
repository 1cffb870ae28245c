// The bot's one connection to an IRC server: connecting and quitting, registration, the
// receive loop that cuts the server's bytes into lines and hands them on, the answers to
// PING, joining the channel (with its key, after a kick and while banned), and the 200 ms
// status refresh.
#pragma once

#include <string>
#include <string_view>

#include "core/platform.h"

namespace fc {

class App;

// The Connect button: (re)connects to the server and port of the fields and locks them.
// Why `nick` cannot be the bot's nick on IRC; "" when it can.
std::string nickFault(std::string_view nick);

void connectIrc(App& app);
// The Quit button: says goodbye when connected, closes, and unlocks the fields.
void quitIrc(App& app);
// Sends the QUIT line with the program's quit text when connected (also used on shut-down).
void sendQuitLine(App& app);

inline constexpr int kTlsIrcPort = 6697;

// What the topic label shows without a connection, and in a channel without a topic.
inline constexpr const char* kNotConnected = "Not connected";
inline constexpr const char* kNoTopic = "(no topic)";

// The first wait before a reconnect and the longest one; each loss doubles the wait.
inline constexpr int kFirstBackoffSeconds = 10;
inline constexpr int kLastBackoffSeconds = 600;

void onIrcConnected(App& app);
// The server closed the connection or it failed: reconnects after the backoff when the
// operator still wants the connection and reconnecting is on.
void onIrcLost(App& app, const std::string& why);
// The certificate check or the TLS handshake failed: shown, and not retried.
void onIrcTlsFailed(App& app, const std::string& why);
void onReconnectTimer(App& app);
void onIrcData(App& app, const std::string& chunk);
void onIrcStatusTick(App& app);
void onPongTimer(App& app);
void onAntiBanTimer(App& app);

// Sets one of the bot's own user modes, when connected.
void setOwnMode(App& app, const std::string& mode);
// Joins a channel with the key field's current text, when connected.
void joinAChannel(App& app, const std::string& channel);
// The "Use TLS" box: the port moves between the plain and the TLS default when it holds one.
void useTls(App& app, bool on);
// Lock and unlock the connection fields while a connection is up.
void lockConnectionFields(App& app);
void unlockConnectionFields(App& app);

// Removes CR and LF characters from the end of a text.
std::string stripCrLf(std::string_view text);

// Whether the connection is up (state 7): the one state in which lines are sent.
bool ircConnected(const App& app);
// The status text for a connection state.
std::string ircStatusText(SocketState state);
// What the status label shows: the reconnect countdown or a failure that ended the
// connection, else the socket's state.
std::string ircStateText(const App& app);
// The text of the bot's QUIT line.
std::string quitText();

}  // namespace fc
