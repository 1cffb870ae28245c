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

QLabel* Picture(const char* name, QWidget* parent) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setPixmap(ProgramIcon().pixmap(kPictureSize, kPictureSize));
    new DragHandle(picture);
    return picture;
}

QToolButton* TitleButton(const char* name, const QIcon& icon, const QString& tip, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(icon);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// The window takes the new hint only when shown anew.
void ApplyStayOnTop(QWidget* window, bool on) {
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

    Titel_ = new QLabel(this);
    Titel_->setObjectName(QStringLiteral("Titel"));
    QFont bold = Titel_->font();
    bold.setBold(true);
    Titel_->setFont(bold);
    new DragHandle(Titel_);

    const QStyle* style = window->style();
    auto* close = TitleButton("TitelKnopSluit", style->standardIcon(QStyle::SP_TitleBarCloseButton),
                              tr("Close"), this);
    auto* minimise =
        TitleButton("TitelKnopMinimize", style->standardIcon(QStyle::SP_TitleBarMinButton),
                    tr("Minimise"), this);
    TitelKnopStayOnTop_ = TitleButton("TitelKnopStayOnTop", QIcon(StayOnTopPicture(false)),
                                      tr("Stay on top of all windows"), this);
    if (!StayOnTopSupported()) {
        TitelKnopStayOnTop_->setEnabled(false);
        TitelKnopStayOnTop_->setToolTip(
            tr("This window system does not let a window stay on top of the others."));
    }

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 2, 2);
    layout->setSpacing(4);
    layout->addWidget(Picture("Image2", this));
    layout->addWidget(Titel_, 1);
    layout->addWidget(Picture("Image3", this));
    layout->addWidget(TitelKnopStayOnTop_);
    layout->addWidget(minimise);
    layout->addWidget(close);

    connect(close, &QToolButton::clicked, this, [this] { CloseInOrder(app_, window_); });
    connect(minimise, &QToolButton::clicked, this, [this] {
        UnFocus(window_);
        window_->showMinimized();
    });
    connect(TitelKnopStayOnTop_, &QToolButton::clicked, this, [this] {
        UnFocus(window_);
        app_.dispatch([this] { WisselStayOnTop(app_); });
    });
}

void TitleBar::refresh(const MainView& view) {
    SyncText(Titel_, view.Titel);
    const bool onTop = view.stayOnTop;
    if (TitelKnopStayOnTop_->property("onTop").toBool() != onTop) {
        TitelKnopStayOnTop_->setProperty("onTop", onTop);
        TitelKnopStayOnTop_->setIcon(QIcon(StayOnTopPicture(onTop)));
        if (StayOnTopSupported()) {
            TitelKnopStayOnTop_->setToolTip(onTop ? tr("Stop staying on top")
                                                  : tr("Stay on top of all windows"));
        }
    }
    ApplyStayOnTop(window_, onTop);
}

void UnFocus(QWidget* inWindow) {
    auto* unselect = inWindow->window()->findChild<QPushButton*>(QStringLiteral("UnSelect"));
    if (unselect) unselect->setFocus(Qt::OtherFocusReason);
}

bool StayOnTopSupported() {
    return !QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

void CloseInOrder(App& app, QWidget* window) {
    window->hide();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QStringLiteral("Form3") && top->isVisible()) top->close();
    }
    if (app.view.splashVisible) app.dispatch([&app] { CloseSplash(app); });
    window->close();
}

}  // namespace fc
