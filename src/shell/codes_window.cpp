#include "shell/codes_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "core/app.h"
#include "preview/codes_help.h"
#include "preview/irc_colours.h"
#include "shell/drag_handle.h"
#include "shell/qt_text.h"

namespace fc {

namespace {

// Lines ended by CR LF, as a label shows them.
QString labelText(const std::string& lines) {
    QString text = display(lines);
    text.remove(QLatin1Char('\r'));
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text;
}

QLabel* named(QLabel* label, const char* name) {
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

QPixmap colourChart() {
    constexpr int kCell = 28;
    constexpr int kColumns = 8;
    QPixmap chart(kColumns * kCell, 2 * kCell);
    QPainter p(&chart);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(kCell / 2);
    p.setFont(font);
    for (int n = 0; n < 16; ++n) {
        const Rgb& c = kIrcColours[n];
        const QRect cell((n % kColumns) * kCell, (n / kColumns) * kCell, kCell, kCell);
        const QColor colour(c.red, c.green, c.blue);
        p.fillRect(cell, colour);
        p.setPen(colour.lightness() > 140 ? Qt::black : Qt::white);
        p.drawText(cell, Qt::AlignCenter, QString::number(n));
    }
    return chart;
}

CodesWindow::CodesWindow(App& app, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window | Qt::WindowStaysOnTopHint),
      app_(app),
      mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(tr("Codes"));
    auto* codes = named(new QLabel(labelText(codesHelpCodeList()), this), "Label1");
    codes->setTextFormat(Qt::PlainText);
    new DragHandle(codes);
    auto* keys = named(new QLabel(labelText(codesHelpKeyList()), this), "Label2");
    keys->setTextFormat(Qt::PlainText);
    auto* heading = named(new QLabel(tr("Colorcodes:"), this), "Label3");
    auto* chart = named(new QLabel(this), "Picture1");
    chart->setPixmap(colourChart());
    auto* close = new QPushButton(tr("Close this window"), this);
    close->setObjectName(QStringLiteral("Command1"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(codes, 0, 0, 4, 1);
    layout->addWidget(keys, 0, 1);
    layout->addWidget(heading, 1, 1);
    layout->addWidget(chart, 2, 1);
    layout->addWidget(close, 3, 1, Qt::AlignBottom | Qt::AlignRight);
    connect(close, &QPushButton::clicked, this,
            [this] { app_.dispatch([this] { closeCodesHelp(app_); }); });
}

void CodesWindow::placeBesideMainWindow() {
    constexpr int kGap = 8;
    const QRect main = mainWindow_->frameGeometry();
    const QSize size = frameGeometry().size();
    const QRect screen = mainWindow_->screen()->availableGeometry();
    int left = main.right() + 1 + kGap;
    if (left + size.width() > screen.right() + 1 &&
        main.left() - kGap - size.width() >= screen.left())
        left = main.left() - kGap - size.width();
    // Where neither side has room, it stays on the screen, over the main window's right part.
    left =
        std::clamp(left, screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
    move(left, std::clamp(main.top(), screen.top(),
                          std::max(screen.top(), screen.bottom() + 1 - size.height())));
}

bool CodesWindow::event(QEvent* event) {
    if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate)
        placeBesideMainWindow();
    return QWidget::event(event);
}

// A border of its own: without the desktop's frame it would melt into the window behind it.
void CodesWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Shadow), 2));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}

// Closed by the desktop: the same as its own button, so "Codes" is not left disabled.
void CodesWindow::closeEvent(QCloseEvent* event) {
    if (app_.preview.codesHelpVisible) app_.dispatch([this] { closeCodesHelp(app_); });
    event->accept();
}

}  // namespace fc
