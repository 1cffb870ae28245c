#include "shell/webhook_options.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "core/app.h"

namespace fc {

WebhookOptions::WebhookOptions(App& app, QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    url_ = new QLineEdit(this);
    url_->setObjectName(QStringLiteral("WebhookURL"));
    url_->setEchoMode(QLineEdit::Password);
    url_->setPlaceholderText(QStringLiteral("Webhook URL (Discord, Slack, Mattermost)"));
    format_ = new QComboBox(this);
    format_->setObjectName(QStringLiteral("WebhookFormat"));
    format_->addItems({QStringLiteral("discord"), QStringLiteral("slack")});
    layout->addWidget(new QLabel(QStringLiteral("Webhook:"), this));
    layout->addWidget(url_, 1);
    layout->addWidget(format_);

    connect(url_, &QLineEdit::textEdited, this, [&app](const QString& text) {
        app.dispatch([&] { app.settings.webhookUrl = text.trimmed().toStdString(); });
    });
    connect(format_, &QComboBox::currentTextChanged, this, [&app](const QString& text) {
        app.dispatch([&] { app.settings.webhookFormat = text.toStdString(); });
    });
}

void WebhookOptions::refresh(const App& app) {
    setVisible(app.settings.advancedMode);
    const QString url = QString::fromStdString(app.settings.webhookUrl);
    if (url_->text().trimmed() != url) {
        const QSignalBlocker block(url_);
        url_->setText(url);
    }
    const QString format = QString::fromStdString(app.settings.webhookFormat);
    if (format_->currentText() != format) {
        const QSignalBlocker block(format_);
        format_->setCurrentText(format);
    }
}

}  // namespace fc
