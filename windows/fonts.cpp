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

// `faces`: those of its candidates that are installed.
void substitute(const QString& designed, const QStringList& faces) {
    if (!faces.isEmpty() && !QFontDatabase::hasFamily(designed))
        QFont::insertSubstitutions(designed, faces);
}

} // namespace

void installFontSubstitutions() {
    // Qt learns a face's other names during its first lookup of any name, and answers that lookup
    // without them: it is made here, so that no candidate's is the first.
    static_cast<void>(QFontDatabase::hasFamily(QString()));
    const QStringList gothic = installed(gothicFaces);
    substitute(msPGothicFamily, gothic);
    substitute(lucidaConsoleFamily, installed(monospaceFaces));

    // The counters name no font; the system's UI face may lack kana, so take a
    // Japanese gothic face at the usual UI size.
    QFont ui = QApplication::font();
    if (!gothic.isEmpty())
        ui = QFont(gothic.first());
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
