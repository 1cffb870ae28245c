// The bot's scenarios: the server's lines in, what the bot sends, shows and says out.
#include "support/scenario.h"

namespace fc::test {
namespace {

FC_SCENARIOS(BotCommands, "irc/cases/bot_commands.txt");
FC_SCENARIOS(Connection, "irc/cases/connection.txt");

}  // namespace
}  // namespace fc::test
