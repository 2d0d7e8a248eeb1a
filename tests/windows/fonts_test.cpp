// The faces that stand in for the designed fonts draw every caption, menu and key.
#include "mainwindow.h"

#include <QApplication>
#include <QFontInfo>
#include <QMenu>

namespace {

// Whether the face Qt picked for a font has every character itself, without the fallback faces
// that would otherwise hide a missing glyph.
::testing::AssertionResult drawsAll(const QFont& font, const QString& text) {
    QFont face(QFontInfo(font).family());
    face.setPointSizeF(font.pointSizeF());
    face.setStyleStrategy(QFont::NoFontMerging);
    for (const uint codePoint : text.toUcs4()) {
        if (!QFontMetrics(face).inFontUcs4(codePoint))
            return ::testing::AssertionFailure()
                   << face.family().toStdString() << " lacks U+" << std::hex << codePoint;
    }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST_F(MainWindow, EveryCaptionIsDrawnByTheFaceChosenForIt) {
    EXPECT_NEAR(QFontInfo(QApplication::font()).pointSizeF(), 9, 0.5);
    EXPECT_TRUE(QFontInfo(control(QStringLiteral("Que0"))->font()).fixedPitch());
    int captions = 0;
    for (const CaptionLabel* label : form.findChildren<CaptionLabel*>()) {
        captions += label->caption().isEmpty() ? 0 : 1;
        EXPECT_TRUE(drawsAll(label->font(), label->caption())) << label->objectName().toStdString();
    }
    EXPECT_EQ(captions, 26 + 1 + 1 + 3);
    EXPECT_TRUE(drawsAll(control(QStringLiteral("Que0"))->font(),
                         QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ")));
    for (const QMenu* menu : form.findChildren<QMenu*>()) {
        EXPECT_TRUE(drawsAll(menu->font(), menu->title()));
        for (const QAction* action : menu->actions())
            EXPECT_TRUE(drawsAll(menu->font(), action->text()));
    }
}
