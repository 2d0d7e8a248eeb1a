#pragma once

// How GoogleTest prints the Qt values the window tests compare, so that a failure says what was
// shown and what was wanted: as QDebug writes them, and colours by name. GoogleTest finds these
// beside the types, in the global namespace.
#include <QColor>
#include <QDebug>
#include <ostream>

template <class T>
requires std::same_as<T, QString> || std::same_as<T, QSize> || std::same_as<T, QRect>
void PrintTo(const T& value, std::ostream* out) {
    QString text;
    QDebug(&text).nospace() << value;
    *out << text.toStdString();
}
inline void PrintTo(const QColor& colour, std::ostream* out) {
    *out << colour.name(colour.alpha() < 255 ? QColor::HexArgb : QColor::HexRgb).toStdString();
}
