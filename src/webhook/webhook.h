// The lines said in the channel on their way to a chat room's incoming webhook: they wait in
// order, leave one request at a time, several in one message when more wait than the room's
// rate allows, and are tried again after a rate limit or a fault without flooding the room's
// host. Nothing here waits on IRC, nor IRC on this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "core/line_sink.h"
#include "core/platform.h"
#include "webhook/room_text.h"

namespace fc {

struct WebhookAddress {
    std::string url;  // empty: no webhook
    WebhookFormat format = WebhookFormat::Discord;
    bool operator==(const WebhookAddress&) const = default;
};

class Webhook {
public:
    // The room's own limit: at most this many requests within the window.
    static constexpr int kRequestsPerWindow = 5;
    static constexpr int kWindowMs = 2000;
    // Past this many waiting lines the oldest periodic scores go first, then the Interp feed's
    // lines, then the other match lines; a begin, a capture or a final score never.
    static constexpr std::size_t kMostWaiting = 200;
    static constexpr int kAnswerTimeoutMs = 15000;
    static constexpr int kLongestBackOffMs = 60000;

    // `address` is asked before each request: a changed address starts afresh, and an emptied
    // one drops the waiting lines. `tell` hears what became of each request.
    Webhook(Platform& platform, std::function<WebhookAddress()> address,
            std::function<void(const WebhookNews&)> tell);

    // A line as said in the channel, in IRC's codes and the game's bytes.
    void add(const std::string& ircLine, ReportKind kind);
    std::size_t waiting() const { return queue_.size(); }
    // Lines wait, and the webhook is not failing.
    bool delivering() const { return !queue_.empty() && faults_ == 0; }

private:
    void checkAddress();
    void sendNext();
    void answered(const HttpAnswer& answer);
    void wakeAt(std::int64_t atMs);
    void dropOneWaiting();

    struct Line {
        std::string irc;
        ReportKind kind;
    };
    Platform& platform_;
    std::function<WebhookAddress()> addressOf_;
    std::function<void(const WebhookNews&)> tell_;
    WebhookAddress address_;
    std::unique_ptr<HttpClient> http_;
    std::unique_ptr<Timer> timer_;
    std::deque<Line> queue_;
    std::size_t posted_ = 0;  // the lines at the front the request under way carries
    bool posting_ = false;
    std::int64_t notBefore_ = 0;  // no request before this time (a rate limit, a back-off)
    std::deque<std::int64_t> recentPosts_;
    int faults_ = 0;  // faults in a row
};

}  // namespace fc
