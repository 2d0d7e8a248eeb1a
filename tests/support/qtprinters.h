#pragma once

// How GoogleTest prints the Qt values the window tests compare, so that a failure says what was
// shown and what was wanted: as QDebug writes them, colours by name, and images by their size and
// most common colours. GoogleTest finds these beside the types, in the global namespace.
#include <QColor>
#include <QDebug>
#include <QHash>
#include <QImage>
#include <algorithm>
#include <ostream>

template <class T>
requires std::same_as<T, QString> || std::same_as<T, QChar> || std::same_as<T, QSize> ||
    std::same_as<T, QRect>
void PrintTo(const T& value, std::ostream* out) {
    QString text;
    QDebug(&text).nospace() << value;
    *out << text.toStdString();
}
inline void PrintTo(const QColor& colour, std::ostream* out) {
    *out << colour.name(colour.alpha() < 255 ? QColor::HexArgb : QColor::HexRgb).toStdString();
}
inline void PrintTo(const QImage& image, std::ostream* out) {
    QHash<QRgb, int> counts;
    for (int i = 0; i < image.width() * image.height(); ++i)
        ++counts[image.pixel(i % image.width(), i / image.width())];
    QList<QRgb> colours = counts.keys();
    std::ranges::sort(colours, [&](QRgb a, QRgb b) { return counts[a] > counts[b]; });
    *out << image.width() << " x " << image.height() << " pixels, the most common";
    for (const QRgb rgb : colours.mid(0, 4)) {
        *out << ' ';
        PrintTo(QColor::fromRgba(rgb), out);
        *out << " (" << counts[rgb] << ")";
    }
}
