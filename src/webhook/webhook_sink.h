// The channel's sink with a chat room's webhook beside IRC: every line goes to IRC as before,
// and, while the settings name a webhook, to the room as well. The operator's own chat stays on
// IRC: it answers people in the channel, and the room would read half a conversation.
#pragma once

#include <memory>

#include "core/app.h"
#include "webhook/webhook.h"

namespace fc {

class WebhookLineSink final : public LineSink {
public:
    WebhookLineSink(App& app, std::unique_ptr<LineSink> irc);
    void sayInChannel(const std::string& target, const std::string& message,
                      ReportKind kind) override;
    bool delivering() const override { return webhook_.delivering(); }

private:
    void told(App& app, const WebhookNews& news);
    std::unique_ptr<LineSink> irc_;
    Webhook webhook_;
    bool failing_ = false;
};

// The webhook the settings name: no address when its format is not known.
WebhookAddress webhookAddress(const SettingsValues& settings);

}  // namespace fc
