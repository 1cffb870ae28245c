#include "shell/title_bar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "core/app.h"
#include "core/stay_on_top.h"
#include "program/startup.h"
#include "shell/drag_handle.h"
#include "shell/program_icon.h"
#include "shell/widget_sync.h"

namespace fc {

namespace {

constexpr int kPictureSize = 18;

QLabel* pictureLabel(const char* name, QWidget* parent) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setPixmap(programIcon().pixmap(kPictureSize, kPictureSize));
    new DragHandle(picture);
    return picture;
}

QToolButton* titleButton(const char* name, const QIcon& icon, const QString& tip, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(icon);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// The window takes the new hint only when shown anew.
void applyStayOnTop(QWidget* window, bool on) {
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
    const bool shown = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (shown) window->show();
}

}  // namespace

TitleBar::TitleBar(App& app, QWidget* window) : QWidget(window), app_(app), window_(window) {
    setObjectName(QStringLiteral("TitleBar"));
    auto* unselect = new QPushButton(QStringLiteral("Unselect"), window);
    unselect->setObjectName(QStringLiteral("UnSelect"));
    unselect->setGeometry(0, 0, 0, 0);  // there to hold the focus, never seen

    titleLabel_ = new QLabel(this);
    titleLabel_->setObjectName(QStringLiteral("Titel"));
    QFont bold = titleLabel_->font();
    bold.setBold(true);
    titleLabel_->setFont(bold);
    new DragHandle(titleLabel_);

    const QStyle* style = window->style();
    auto* close = titleButton("TitelKnopSluit", style->standardIcon(QStyle::SP_TitleBarCloseButton),
                              tr("Close"), this);
    auto* minimise =
        titleButton("TitelKnopMinimize", style->standardIcon(QStyle::SP_TitleBarMinButton),
                    tr("Minimise"), this);
    stayOnTopButton_ = titleButton("TitelKnopStayOnTop", QIcon(stayOnTopPicture(false)),
                                   tr("Stay on top of all windows"), this);
    if (!stayOnTopSupported()) {
        stayOnTopButton_->setEnabled(false);
        stayOnTopButton_->setToolTip(
            tr("This window system does not let a window stay on top of the others."));
    }

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 2, 2);
    layout->setSpacing(4);
    layout->addWidget(pictureLabel("Image2", this));
    layout->addWidget(titleLabel_, 1);
    layout->addWidget(pictureLabel("Image3", this));
    layout->addWidget(stayOnTopButton_);
    layout->addWidget(minimise);
    layout->addWidget(close);

    connect(close, &QToolButton::clicked, this, [this] { closeInOrder(app_, window_); });
    connect(minimise, &QToolButton::clicked, this, [this] {
        unfocus(window_);
        window_->showMinimized();
    });
    connect(stayOnTopButton_, &QToolButton::clicked, this, [this] {
        unfocus(window_);
        app_.dispatch([this] { toggleStayOnTop(app_); });
    });
}

void TitleBar::refresh(const App& app) {
    syncText(titleLabel_, app.window.titleText);
    const bool onTop = app.window.stayOnTop;
    if (stayOnTopButton_->property("onTop").toBool() != onTop) {
        stayOnTopButton_->setProperty("onTop", onTop);
        stayOnTopButton_->setIcon(QIcon(stayOnTopPicture(onTop)));
        if (stayOnTopSupported()) {
            stayOnTopButton_->setToolTip(onTop ? tr("Stop staying on top")
                                               : tr("Stay on top of all windows"));
        }
    }
    applyStayOnTop(window_, onTop);
}

void unfocus(QWidget* inWindow) {
    auto* unselect = inWindow->window()->findChild<QPushButton*>(QStringLiteral("UnSelect"));
    if (unselect) unselect->setFocus(Qt::OtherFocusReason);
}

bool stayOnTopSupported() {
    return !QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

void closeInOrder(App& app, QWidget* window) {
    window->hide();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QStringLiteral("Form3") && top->isVisible()) top->close();
    }
    if (app.window.splashVisible) app.dispatch([&app] { closeSplash(app); });
    window->close();
}

}  // namespace fc
