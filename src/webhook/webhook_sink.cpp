#include "webhook/webhook_sink.h"

namespace fc {

WebhookAddress webhookAddress(const SettingsValues& settings) {
    const std::optional<WebhookFormat> format = webhookFormatNamed(settings.webhookFormat);
    if (!format) return {};
    return {settings.webhookUrl, *format};
}

WebhookLineSink::WebhookLineSink(App& app, std::unique_ptr<LineSink> irc)
    : irc_(std::move(irc)),
      webhook_(
          app.platform, [&app] { return webhookAddress(app.settings); },
          // An answer is an event of its own: the window draws what it said.
          [this, &app](const WebhookNews& news) { app.dispatch([&] { told(app, news); }); }) {}

void WebhookLineSink::told(App& app, const WebhookNews& news) {
    if (news.what == "failed") {
        failing_ = true;
        const std::string why = news.status == 0 ? "no answer (" + news.error + ")"
                                : news.status == 404
                                    ? "it answered 404, the webhook is deleted or its address wrong"
                                    : "it answered " + std::to_string(news.status);
        app.appendOutput("*** The webhook at " + news.host + " failed: " + why +
                         ". Its lines wait and are tried again, at most once a minute.");
    } else if (news.what == "sent" && failing_) {
        failing_ = false;
        app.appendOutput("*** The webhook at " + news.host + " works again.");
    }
    app.notifyWebhook(news);
}

void WebhookLineSink::sayInChannel(const std::string& target, const std::string& message,
                                   ReportKind kind) {
    if (irc_) irc_->sayInChannel(target, message, kind);
    if (kind != ReportKind::Typed) webhook_.add(message, kind);
}

}  // namespace fc
