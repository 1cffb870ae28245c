// What users get when they ask the bot, the IRC server's lines and the operator's console, the
// lines the bot says and the pace it says them at, played from case files.
#include <gtest/gtest.h>

#include "irc/session.h"

namespace fc::test {
namespace {

FC_SESSIONS(BotCommands, "irc/cases/bot_commands.txt")

}  // namespace
}  // namespace fc::test
