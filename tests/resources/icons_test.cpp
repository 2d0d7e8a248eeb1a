// The icons as the platforms read them: the program's own, served from its Qt resource, and the
// committed files of the desktop's icon theme and of Windows.
#include "programicon.h"

#include <QFile>
#include <QImageReader>
#include <gtest/gtest.h>

namespace {

const QString iconFolder = QStringLiteral(KESTRAVA_ICONS);
const int themeSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

} // namespace

// Beside QSize, where GoogleTest looks for it, to print a size as such.
static void PrintTo(const QSize& size, std::ostream* out) {
    *out << size.width() << " x " << size.height();
}

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

TEST(Icons, WindowsIconLists32By32In256Colours) {
    QFile file(iconFolder + QStringLiteral("/kestrava.ico"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray ico = file.readAll();
    ASSERT_TRUE(ico.startsWith(QByteArray("\0\0\1\0", 4))) << "not an icon file";
    // After the 6-byte header, 16 bytes an image: width, height, colour count (0 for 256),
    // a reserved byte, then planes and bits a pixel as 16-bit little-endian numbers.
    const QByteArray wanted("\x20\x20\0\0\1\0\x08\0", 8);
    bool listed = false;
    for (qsizetype entry = 6; entry < 6 + 16 * ico[4] && entry + 16 <= ico.size(); entry += 16)
        listed = listed || ico.mid(entry, 8) == wanted;
    EXPECT_TRUE(listed);
}
