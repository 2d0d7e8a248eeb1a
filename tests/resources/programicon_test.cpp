#include "programicon.h"
#include "version.h"

#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

using kestrava::programIcon;
using kestrava::programIconPath;

TEST(ProgramIcon, IsLinkedInAs32By32InAPaletteOfAtMost256Colours) {
    QImageReader reader(programIconPath());
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(image.size(), QSize(32, 32));
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_LE(image.colorCount(), 256);
    EXPECT_TRUE(image.hasAlphaChannel()) << "the corners are transparent";
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(16, 16)), 255);

    const QIcon icon = programIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(32, 32)});
}

TEST(ProgramIdentity, VersionComesFromTheProject) {
    EXPECT_STREQ(KESTRAVA_NAME, "Kestrava");
    EXPECT_STREQ(KESTRAVA_VERSION, "1.0.0.0");
    EXPECT_EQ(KESTRAVA_VERSION_MAJOR, 1);
    EXPECT_EQ(KESTRAVA_VERSION_MINOR, 0);
    EXPECT_EQ(KESTRAVA_VERSION_PATCH, 0);
    EXPECT_EQ(KESTRAVA_VERSION_TWEAK, 0);
    EXPECT_STREQ(KESTRAVA_VERSION_DISPLAY, "1.00");
    EXPECT_STREQ(KESTRAVA_APP_ID, "org.kestrava.Kestrava");
}
