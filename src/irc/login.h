// Logging in to the network: IRCv3 capability negotiation (CAP LS 302, the capabilities the bot
// can use, CAP END), SASL PLAIN with the account's name and password, and for networks without
// SASL a login line sent to the network's service after registering, before the join. The
// password and the login line are never shown.
#pragma once

#include <string>
#include <string_view>

namespace fc {

class App;
struct IrcLine;

// The account name and password in force: the command line's for this run, else the settings'.
std::string saslUser(const App& app);
std::string saslPassword(const App& app);

// Connected: asks the server what it can do, before NICK and USER.
void startCapabilities(App& app);
// CAP LS, ACK, NAK, NEW and DEL.
void onCap(App& app, const IrcLine& line);
// The server waits for the credentials ("AUTHENTICATE +").
void onAuthenticate(App& app, const IrcLine& line);
// 900 to 907: logged in, the login's end, refused or given up.
void onLoginNumeric(App& app, const IrcLine& line);
// The welcome came: a server that never answered CAP does without it.
void capabilitiesOver(App& app);
// The registration ended (376 or 422): the login line leaves first and the join waits for the
// service's answer, or the bot joins at once; after a refused SASL login it does not join.
void registrationDone(App& app);
// A NOTICE or 900 while the join waits: the service answered.
void onServiceNotice(App& app, const IrcLine& line);
void onLoginTimer(App& app);

// Whether a capability was acknowledged on this connection.
bool hasCap(const App& app, std::string_view cap);
// "none", "pending", "ok", "failed", "unavailable": the login's outcome for scripts.
std::string loginStateText(const App& app);

// Standard base64, as SASL carries its credentials.
std::string base64(std::string_view bytes);

}  // namespace fc
