// Feeds arbitrary bytes to the webhook as a channel line and as the room host's answers: the
// first byte picks the format, the kind of line and the status; the rest is the line, then
// after a NUL the answer, its header lines before an empty line and its body after. Whatever
// comes, the posted bodies are JSON texts without a raw control character, every wait asked
// for is a finite time, no line is lost but by the bound, and nothing hangs.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "support/fake_platform.h"
#include "webhook/room_text.h"
#include "webhook/webhook.h"

namespace {

fc::HttpAnswer answerOf(std::string_view bytes, int status) {
    fc::HttpAnswer answer;
    answer.status = status;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view line = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        if (line.empty()) break;
        const std::size_t colon = line.find(':');
        answer.headers.emplace_back(
            std::string(line.substr(0, colon)),
            colon == std::string_view::npos ? std::string() : std::string(line.substr(colon + 1)));
    }
    answer.body = std::string(bytes);
    return answer;
}

void checkBody(const std::string& body) {
    if (body.empty() || body.front() != '{' || body.back() != '}') std::abort();
    for (const char c : body)
        if (static_cast<unsigned char>(c) < 0x20) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t nul = input.find('\0');
    const std::string line(input.substr(0, nul));
    const std::string_view rest =
        nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);
    const auto format = (data[0] & 1) ? fc::WebhookFormat::Slack : fc::WebhookFormat::Discord;
    constexpr int kStatuses[] = {0, 200, 204, 404, 429, 500, 401, 429};
    const int status = kStatuses[(data[0] >> 1) & 7];
    const auto kind = static_cast<fc::ReportKind>((data[0] >> 4) % 4);

    checkBody(fc::roomBody(fc::roomText(line, format), format));
    const fc::HttpAnswer answer = answerOf(rest, status);
    if (const auto seconds = fc::retryAfterSeconds(answer)) {
        if (!std::isfinite(*seconds) || *seconds < 0) std::abort();
    }

    fc::test::FakePlatform platform;
    fc::Webhook webhook(
        platform,
        [format] {
            return fc::WebhookAddress{"https://127.0.0.1/hooks/1/secret", format};
        },
        [](const fc::WebhookNews& news) {
            if (news.retrySeconds < 0 || !std::isfinite(news.retrySeconds)) std::abort();
        });
    for (int i = 0; i < 8; ++i) webhook.add(line, kind);
    // Each request answered the same way, for up to twenty minutes of the room's time.
    std::size_t answered = 0;
    for (int round = 0; round < 40 && webhook.waiting() > 0; ++round) {
        if (platform.httpPosts.size() > answered && platform.http) {
            checkBody(platform.httpPosts.back());
            answered = platform.httpPosts.size();
            platform.http->onAnswer(answer);
        }
        platform.advance(30000);
    }
    if (webhook.waiting() > 8) std::abort();
    return 0;
}
