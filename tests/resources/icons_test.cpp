// The icons as the platforms read them: the program's own, served from its Qt resource, and the
// committed files of the desktop's icon theme. The Windows icon is read back with the version
// record.
#include "programicon.h"

#include <QImageReader>
#include <gtest/gtest.h>

namespace {

const QString iconFolder = QStringLiteral(KESTRAVA_ICONS);
const int themeSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

} // namespace

TEST(Icons, ProgramIconIsServedAs32By32InAPaletteWithTransparentCorners) {
    QImageReader reader(kestrava::programIconPath());
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(image.size(), QSize(32, 32));
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(16, 16)), 255);
}

TEST(Icons, EachThemeIconIsDrawnAtTheSizeItsFolderNames) {
    for (const int size : themeSizes) {
        const QString path =
            iconFolder + QStringLiteral("/hicolor/%1x%1/apps/org.kestrava.Kestrava.png").arg(size);
        EXPECT_EQ(QImageReader(path).size(), QSize(size, size)) << path.toStdString();
    }
}
