// A channel line as a chat room's incoming webhook takes it: IRC's bold and underline codes as
// the room's Markdown, its colours dropped, the game's bytes as UTF-8, in the JSON body the room
// expects; and what a room's answer says about when to try again.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform.h"

namespace fc {

// Discord posts {"content": ...}; Slack, Mattermost and Rocket.Chat take Slack's {"text": ...}.
enum class WebhookFormat { Discord, Slack };

// "discord" or "slack", in any case; nothing for another name.
std::optional<WebhookFormat> webhookFormatNamed(std::string_view name);

// The most characters one message may hold.
std::size_t roomLengthLimit(WebhookFormat format);

// The line in the room's markup, as UTF-8. Characters the room's Markdown would take as markup
// are escaped, and Slack's link brackets too, so that a player's name shows as it is.
std::string roomText(std::string_view ircLine, WebhookFormat format);

// The characters (not bytes) of UTF-8 text.
std::size_t characterCount(std::string_view utf8);
// The bytes of the first `characters` characters of UTF-8 text.
std::size_t bytesOfCharacters(std::string_view utf8, std::size_t characters);

// The JSON body that posts `text` (UTF-8). Discord is told to ping no one: a name like
// "@everyone" in a line stays text.
std::string roomBody(const std::string& text, WebhookFormat format);

// The host of a web address ("discord.com" of "https://discord.com/api/webhooks/1/secret"),
// the one part of it that may be shown.
std::string urlHost(std::string_view url);

// The seconds a rate-limited answer asks to wait: `retry_after` in its JSON body (seconds,
// maybe fractional), else its Retry-After or X-RateLimit-Reset-After header.
std::optional<double> retryAfterSeconds(const HttpAnswer& answer);

// The value of a header (names in lower case); nothing when the answer has none.
std::optional<std::string> headerValue(const HttpAnswer& answer, std::string_view name);

}  // namespace fc
