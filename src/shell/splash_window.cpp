#include "shell/splash_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

#include "core/app.h"
#include "program/startup.h"
#include "shell/qt_text.h"
#include "shell/widget_sync.h"

namespace fc {

namespace {
constexpr int kWidth = 360;
constexpr int kHeight = 200;
}  // namespace

QPixmap programPicture(int width, int height) {
    QPixmap picture(width, height);
    QPainter p(&picture);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(0x80, 0x10, 0x10));
    sky.setColorAt(1, QColor(0x10, 0x10, 0x60));
    p.fillRect(picture.rect(), sky);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setBold(true);
    const bool icon = width <= 64;
    font.setPixelSize(icon ? height * 3 / 4 : height / 5);
    p.setFont(font);
    p.drawText(picture.rect(), Qt::AlignCenter,
               icon ? QStringLiteral("F") : QStringLiteral("Fragcaster"));
    return picture;
}

SplashWindow::SplashWindow(App& app)
    : QWidget(nullptr, Qt::SplashScreen | Qt::WindowStaysOnTopHint), app_(app) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QString::fromLatin1(kSplashCaption));
    setAttribute(Qt::WA_DeleteOnClose, false);

    pictureLabel_ = new QLabel(this);
    pictureLabel_->setObjectName(QStringLiteral("Image1"));
    pictureLabel_->setPixmap(programPicture(kWidth, kHeight));
    pictureLabel_->setScaledContents(true);  // stretched to the window
    versionLabel_ = new QLabel(this);
    versionLabel_->setObjectName(QStringLiteral("Label1"));
    versionLabel_->setAlignment(Qt::AlignHCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(pictureLabel_, 1);
    layout->addWidget(versionLabel_);
    resize(kWidth, kHeight + 24);
    refresh();
}

void SplashWindow::refresh() {
    syncText(versionLabel_, app_.window.splashVersionText);
}

void SplashWindow::mousePressEvent(QMouseEvent*) {
    app_.dispatch([this] { onSplashClicked(app_); });
}

// Closed by the desktop rather than by the program: it ends as a click ends it.
void SplashWindow::closeEvent(QCloseEvent* event) {
    if (app_.window.splashVisible) app_.dispatch([this] { onSplashClicked(app_); });
    event->accept();
}

}  // namespace fc
