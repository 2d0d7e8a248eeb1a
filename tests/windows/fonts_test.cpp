// The faces that stand in for the designed fonts can draw every caption.
#include "fonts.h"
#include "form1fixture.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>

namespace {

// The face Qt really picked for a font, without the fallback faces that
// would otherwise hide a missing glyph.
QFont pickedFace(const QFont& font) {
    QFont face(QFontInfo(font).family());
    face.setPointSizeF(font.pointSizeF());
    face.setStyleStrategy(QFont::NoFontMerging);
    return face;
}

::testing::AssertionResult drawsAll(const QFont& font, const QString& text) {
    const QFont face = pickedFace(font);
    const QFontMetrics metrics(face);
    for (const uint codePoint : text.toUcs4()) {
        if (!metrics.inFontUcs4(codePoint))
            return ::testing::AssertionFailure()
                   << face.family().toStdString() << " lacks U+" << std::hex << codePoint
                   << " of \"" << text.toStdString() << "\"";
    }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(Fonts, DesignedNamesMapOntoFacesPresent) {
    const QFontInfo gothic(msPGothic(12));
    EXPECT_TRUE(drawsAll(msPGothic(12), QStringLiteral("スペースで開始")))
        << gothic.family().toStdString();
    EXPECT_NEAR(gothic.pointSizeF(), 12, 0.5);
    EXPECT_NEAR(QFontInfo(msPGothic(20.25)).pointSizeF(), 20.25, 0.5);

    const QFontInfo mono(lucidaConsole(20.25));
    EXPECT_TRUE(mono.fixedPitch()) << mono.family().toStdString();
    EXPECT_NEAR(mono.pointSizeF(), 20.25, 0.5);

    const QFontInfo ui(QApplication::font());
    EXPECT_NEAR(ui.pointSizeF(), 9, 0.5);
    EXPECT_TRUE(drawsAll(QApplication::font(), QStringLiteral("残り時間ミス")))
        << ui.family().toStdString();
}

TEST_F(Form1Test, EveryCaptionCharacterIsInTheFaceThatDrawsIt) {
    int captions = 0;
    for (const CaptionLabel* label : form->findChildren<CaptionLabel*>()) {
        if (label->caption().isEmpty())
            continue;
        ++captions;
        EXPECT_TRUE(drawsAll(label->font(), label->caption())) << label->objectName().toStdString();
    }
    EXPECT_EQ(captions, 26 + 1 + 1 + 3);

    // The question letters are written only during a drill.
    EXPECT_TRUE(drawsAll(que(0)->font(), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ")));

    const QMenu* setting = child<QMenu>("setting");
    const QMenu* typingNumber = child<QMenu>("TypingNumber");
    EXPECT_TRUE(drawsAll(form->menuBar()->font(), setting->title()));
    EXPECT_TRUE(drawsAll(setting->font(), typingNumber->title()));
    for (const QAction* action : typingNumber->actions())
        EXPECT_TRUE(drawsAll(typingNumber->font(), action->text()));
}
