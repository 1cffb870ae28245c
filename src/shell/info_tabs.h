// The fixed pages of the main window: what the program is, and how each tab is used.
#pragma once

class QWidget;

namespace fc {

QWidget* buildAboutPage(QWidget* parent);
QWidget* buildHelpPage(QWidget* parent);

}  // namespace fc
