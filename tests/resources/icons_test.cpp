// The program's own icon as the windows read it, served from its Qt resource.
#include "programicon.h"

#include <QImageReader>
#include <gtest/gtest.h>

TEST(Icons, ProgramIconIsServedAs32By32WithTransparentCorners) {
    QImageReader reader(kestrava::programIconPath());
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(image.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(16, 16)), 255);
}
