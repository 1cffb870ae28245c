#include "webhook/webhook.h"

#include <algorithm>
#include <cmath>

namespace fc {

namespace {

// A rate limit asking for longer than this is taken as this long.
constexpr double kLongestRetrySeconds = 600;

}  // namespace

Webhook::Webhook(Platform& platform, std::function<WebhookAddress()> address,
                 std::function<void(const WebhookNews&)> tell)
    : platform_(platform),
      addressOf_(std::move(address)),
      tell_(std::move(tell)),
      timer_(platform.createTimer()) {
    timer_->onTick = [this] {
        timer_->setEnabled(false);
        checkAddress();
        sendNext();
    };
}

void Webhook::add(const std::string& ircLine, ReportKind kind) {
    checkAddress();
    if (address_.url.empty()) return;
    queue_.push_back({ircLine, kind});
    if (queue_.size() > kMostWaiting) dropOneWaiting();
    sendNext();
}

void Webhook::dropOneWaiting() {
    for (ReportKind kind : {ReportKind::Periodic, ReportKind::Interp, ReportKind::Event}) {
        const auto oldest =
            std::find_if(queue_.begin() + static_cast<std::ptrdiff_t>(posted_), queue_.end(),
                         [&](const Line& l) { return l.kind == kind; });
        if (oldest != queue_.end()) return void(queue_.erase(oldest));
    }
}

void Webhook::checkAddress() {
    const WebhookAddress now = addressOf_();
    if (now == address_) return;
    // The old address's answer, if one is under way, is never heard: its client goes.
    address_ = now;
    http_.reset();
    posting_ = false;
    posted_ = 0;
    notBefore_ = 0;
    faults_ = 0;
    timer_->setEnabled(false);
    if (address_.url.empty()) queue_.clear();
}

void Webhook::wakeAt(std::int64_t atMs) {
    timer_->setEnabled(false);
    timer_->setInterval(static_cast<int>(std::max<std::int64_t>(atMs - platform_.nowMs(), 1)));
    timer_->setEnabled(true);
}

void Webhook::sendNext() {
    if (posting_ || queue_.empty() || address_.url.empty()) return;
    const std::int64_t now = platform_.nowMs();
    while (!recentPosts_.empty() && recentPosts_.front() <= now - kWindowMs)
        recentPosts_.pop_front();
    std::int64_t at = notBefore_;
    if (static_cast<int>(recentPosts_.size()) >= kRequestsPerWindow)
        at = std::max(at, recentPosts_.front() + kWindowMs);
    if (at > now) return wakeAt(at);

    // As many waiting lines as the room's limit takes, one a line; a line longer than the
    // limit alone is cut to it.
    const std::size_t limit = roomLengthLimit(address_.format);
    std::string text = roomText(queue_.front().irc, address_.format);
    text.resize(bytesOfCharacters(text, limit));
    std::size_t count = 1, characters = characterCount(text);
    for (; count < queue_.size(); ++count) {
        const std::string next = roomText(queue_[count].irc, address_.format);
        const std::size_t length = characterCount(next);
        if (characters + 1 + length > limit) break;
        text += "\n" + next;
        characters += 1 + length;
    }
    if (!http_) {
        http_ = platform_.createHttpClient();
        http_->onAnswer = [this](const HttpAnswer& answer) { answered(answer); };
    }
    posting_ = true;
    posted_ = count;
    recentPosts_.push_back(now);
    http_->post(address_.url, "application/json", roomBody(text, address_.format),
                kAnswerTimeoutMs);
}

void Webhook::answered(const HttpAnswer& answer) {
    const std::int64_t now = platform_.nowMs();
    WebhookNews news{"sent", answer.status,         static_cast<int>(posted_),
                     0,      urlHost(address_.url), answer.error};
    // An error text might quote the address; only its host is ever shown.
    for (std::size_t at;
         !address_.url.empty() && (at = news.error.find(address_.url)) != std::string::npos;)
        news.error.replace(at, address_.url.size(), news.host);
    posting_ = false;
    if (answer.status >= 200 && answer.status < 300) {
        queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(posted_));
        faults_ = 0;
        // Discord says when its bucket is empty: the next request waits for it to refill.
        if (headerValue(answer, "x-ratelimit-remaining") == "0") {
            HttpAnswer reset;
            reset.headers = {
                {"retry-after", headerValue(answer, "x-ratelimit-reset-after").value_or("")}};
            if (auto seconds = retryAfterSeconds(reset)) {
                notBefore_ = now + static_cast<std::int64_t>(
                                       std::ceil(std::min(*seconds, kLongestRetrySeconds) * 1000));
            }
        }
    } else if (answer.status == 429) {
        news.what = "retry";
        news.retrySeconds =
            std::min(retryAfterSeconds(answer).value_or(kWindowMs / 1000.0), kLongestRetrySeconds);
        notBefore_ = now + static_cast<std::int64_t>(std::ceil(news.retrySeconds * 1000));
    } else {
        // No answer, a refusal or a server fault: the lines wait, and the tries thin out to one
        // a minute; the fault is said once, not at every try.
        news.what = "failed";
        const int backOff = std::min(kLongestBackOffMs, 2000 << std::min(faults_, 5));
        notBefore_ = now + backOff;
        if (faults_++ > 0) news.what.clear();
    }
    posted_ = 0;
    if (!news.what.empty()) tell_(news);
    sendNext();
}

}  // namespace fc
