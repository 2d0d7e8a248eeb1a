#include "fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <iterator>

namespace {

const QString msPGothicFamily = QStringLiteral("ＭＳ Ｐゴシック");
const QString lucidaConsoleFamily = QStringLiteral("Lucida Console");

// Proportional Japanese gothic faces, best match first. IPAPGothic comes first
// because its line height equals its em size, so the text fits the low counter
// labels that were sized for the original face.
const QStringList gothicFaces = {
    QStringLiteral("IPAPGothic"),   QStringLiteral("Noto Sans CJK JP"),
    QStringLiteral("IPAGothic"),    QStringLiteral("VL PGothic"),
    QStringLiteral("TakaoPGothic"), QStringLiteral("Source Han Sans JP"),
};
const QStringList monospaceFaces = {
    QStringLiteral("DejaVu Sans Mono"),
    QStringLiteral("Liberation Mono"),
    QStringLiteral("Noto Sans Mono"),
};

// Asked by name rather than looked up in families(): fontconfig gives a face the name of the
// player's language where it has one ("IPA Pゴシック" in a Japanese session), and families() lists
// that name alone, while hasFamily() knows the face by its other names too.
QStringList installed(const QStringList& candidates) {
    QStringList found;
    std::ranges::copy_if(candidates, std::back_inserter(found), &QFontDatabase::hasFamily);
    return found;
}

void substitute(const QString& designed, const QStringList& candidates) {
    if (QFontDatabase::hasFamily(designed))
        return;
    const QStringList faces = installed(candidates);
    if (!faces.isEmpty())
        QFont::insertSubstitutions(designed, faces);
}

} // namespace

void installFontSubstitutions() {
    substitute(msPGothicFamily, gothicFaces);
    substitute(lucidaConsoleFamily, monospaceFaces);

    // The counters name no font; the system's UI face may lack kana, so take a
    // Japanese gothic face at the usual UI size.
    QFont ui = QApplication::font();
    if (const QStringList faces = installed(gothicFaces); !faces.isEmpty())
        ui = QFont(faces.first());
    ui.setPointSizeF(9);
    QApplication::setFont(ui);
}

QFont msPGothic(double pointSize, bool bold) {
    QFont font(msPGothicFamily);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont lucidaConsole(double pointSize) {
    QFont font(lucidaConsoleFamily);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(pointSize);
    return font;
}
