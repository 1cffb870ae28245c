#include "shell/qt_text.h"

namespace fc {

QString display(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Characters beyond Latin-1 cannot travel as one byte; Qt writes them as "?".
std::string fromDisplay(const QString& text) {
    return text.toLatin1().toStdString();
}

}  // namespace fc
