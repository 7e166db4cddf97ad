#include "linux/services.h"

#include <QLocale>

namespace linux {

// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no surrogates,
// nothing beyond U+10FFFF.
bool validUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size())).toUtf8() ==
           QByteArray(text.data(), qsizetype(text.size()));
}

std::optional<std::string> Utf8CodePage::toAnsi(const std::string& utf8) const {
    if (!validUtf8(utf8)) return std::nullopt;
    return utf8;
}

char Utf8CodePage::decimalSeparator() const {
    QString point = QLocale::system().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 0x80 ? char(point[0].unicode()) : '.';
}

} // namespace linux
