#include "frmsplash.h"
#include "windowsupport.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using windowsupport::countPixels;
using windowsupport::flushDeletes;
using windowsupport::picture;
using windowsupport::showAndActivate;

namespace {

const QColor lightGreen(128, 255, 128);
const QColor black(0, 0, 0);

QLabel* label(frmSplash& splash, const char* name) {
    auto* found = splash.findChild<QLabel*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QWidget* frame1(frmSplash& splash) {
    return splash.findChild<QWidget*>(QStringLiteral("Frame1"));
}

// A point of the splash window, given within Frame1.
QPoint inFrame1(frmSplash& splash, QPoint point) {
    return frame1(splash)->mapTo(&splash, point);
}

// A splash shown and active, with a spy on its unload.
struct ShownSplash {
    QPointer<frmSplash> window = new frmSplash;
    QSignalSpy unloaded{window.data(), &frmSplash::unloaded};

    ShownSplash() { EXPECT_TRUE(showAndActivate(*window)); }
    ~ShownSplash() { delete window; }

    bool isOpen() {
        flushDeletes();
        return !window.isNull() && window->isVisible();
    }
};

} // namespace

TEST(frmSplashLayout, TitlelessCentredWindowWithTheFrameAndItsControls) {
    frmSplash splash;
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(splash.windowTitle().isEmpty());
    EXPECT_EQ(splash.minimumSize(), splash.maximumSize());
    EXPECT_EQ(splash.clientArea()->size(), QSize(371, 99));
    // The thin border goes round the client area.
    EXPECT_EQ(splash.size(), QSize(373, 101));

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((splash.frameGeometry().center() - screen.center()).manhattanLength(), 1);

    EXPECT_EQ(frame1(splash)->geometry(), QRect(2, 2, 310, 94));
    EXPECT_EQ(label(splash, "imgLogo")->geometry(), QRect(18, 14, 67, 67));
    EXPECT_TRUE(label(splash, "imgLogo")->hasScaledContents());
    EXPECT_EQ(label(splash, "lblProductName")->pos(), QPoint(102, 18));
    EXPECT_EQ(label(splash, "lblCompanyProduct")->pos(), QPoint(100, 56));
}

TEST(frmSplashLayout, LoadWritesTitleAndVersionInBoldLabelsSizedToTheirText) {
    frmSplash splash;
    QLabel* product = label(splash, "lblProductName");
    QLabel* version = label(splash, "lblVersion");
    QLabel* company = label(splash, "lblCompanyProduct");

    EXPECT_EQ(product->text(), QStringLiteral("Kestrava"));
    EXPECT_EQ(version->text(), QStringLiteral("version 1.0.0"));
    EXPECT_FALSE(company->text().isEmpty());
    for (QLabel* each : {product, version, company}) {
        EXPECT_TRUE(each->font().bold()) << each->objectName().toStdString();
        EXPECT_EQ(each->size(), each->sizeHint()) << each->objectName().toStdString();
        EXPECT_FALSE(each->autoFillBackground()) << each->objectName().toStdString();
    }
    EXPECT_DOUBLE_EQ(product->font().pointSizeF(), 20.25);
    EXPECT_DOUBLE_EQ(version->font().pointSizeF(), 12);

    // Right-aligned on x = 4455 twips within the frame, whatever its width.
    EXPECT_EQ(version->geometry().left() + version->width(), 297);
    EXPECT_EQ(version->y(), 58);
    EXPECT_FALSE(company->geometry().intersects(version->geometry()));
    EXPECT_LE(product->geometry().right(), frame1(splash)->width());
}

TEST(frmSplashColours, LightGreenMarginAndTextOnTheBlackFrame) {
    frmSplash splash;
    splash.show();
    const QImage image = picture(splash);
    EXPECT_EQ(image.pixelColor(0, 0), black);         // the thin border
    EXPECT_EQ(image.pixelColor(1, 1), lightGreen);    // the margin
    EXPECT_EQ(image.pixelColor(340, 50), lightGreen); // the right margin
    EXPECT_EQ(image.pixelColor(inFrame1(splash, {5, 5})), black);

    const QRect title(inFrame1(splash, label(splash, "lblProductName")->pos()),
                      label(splash, "lblProductName")->size());
    EXPECT_GT(countPixels(image, title, lightGreen), 20);
    const QRect version(inFrame1(splash, label(splash, "lblVersion")->pos()),
                        label(splash, "lblVersion")->size());
    EXPECT_GT(countPixels(image, version, lightGreen), 10);
}

TEST(frmSplashClosing, TimerUnloadsOnceAfterTwoSeconds) {
    QElapsedTimer clock;
    clock.start();
    ShownSplash splash;
    QTest::qWait(1700 - static_cast<int>(clock.elapsed()));
    EXPECT_TRUE(splash.isOpen());
    EXPECT_EQ(splash.unloaded.count(), 0);

    EXPECT_TRUE(QTest::qWaitFor([&] { return !splash.isOpen(); }, 3000));
    EXPECT_GE(clock.elapsed(), 2000);
    EXPECT_TRUE(splash.window.isNull());
    EXPECT_EQ(splash.unloaded.count(), 1);
}

TEST(frmSplashClosing, KeysWithoutTextLeaveItOpen) {
    ShownSplash splash;
    for (const Qt::Key key :
         {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Left, Qt::Key_Down, Qt::Key_F1, Qt::Key_F5}) {
        QTest::keyClick(splash.window->windowHandle(), key);
        ASSERT_TRUE(splash.isOpen()) << "key " << key;
    }
    EXPECT_EQ(splash.unloaded.count(), 0);
}

TEST(frmSplashClosing, AnyTypedCharacterUnloadsAtOnce) {
    for (const Qt::Key key :
         {Qt::Key_A, Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape, Qt::Key_1, Qt::Key_Tab}) {
        ShownSplash splash;
        QTest::keyClick(splash.window->windowHandle(), key);
        EXPECT_FALSE(splash.isOpen()) << "key " << key;
        EXPECT_EQ(splash.unloaded.count(), 1) << "key " << key;
    }
}

TEST(frmSplashClosing, ClickOnTheBareFrameUnloads) {
    ShownSplash splash;
    QTest::mouseClick(splash.window->windowHandle(), Qt::LeftButton, {},
                      inFrame1(*splash.window, {200, 85}));
    EXPECT_FALSE(splash.isOpen());
    EXPECT_EQ(splash.unloaded.count(), 1);
}

TEST(frmSplashClosing, ClicksOnLabelsLogoOrMarginDoNothing) {
    ShownSplash splash;
    std::vector<std::pair<QString, QPoint>> places;
    for (const char* name : {"imgLogo", "lblProductName", "lblCompanyProduct", "lblVersion"}) {
        QLabel* target = label(*splash.window, name);
        places.emplace_back(QLatin1String(name),
                            target->mapTo(splash.window.data(), target->rect().center()));
    }
    places.emplace_back(QStringLiteral("left margin"), QPoint(1, 50));
    places.emplace_back(QStringLiteral("right margin"), QPoint(350, 50));
    for (const auto& [place, point] : places) {
        QTest::mouseClick(splash.window->windowHandle(), Qt::LeftButton, {}, point);
        ASSERT_TRUE(splash.isOpen()) << place.toStdString();
    }
    QTest::mouseClick(splash.window->windowHandle(), Qt::RightButton, {},
                      inFrame1(*splash.window, {200, 85}));
    EXPECT_TRUE(splash.isOpen());
    EXPECT_EQ(splash.unloaded.count(), 0);
}

TEST(frmSplashClosing, KeyClickAndTimerTogetherUnloadOnce) {
    ShownSplash splash;
    const QPoint bare = inFrame1(*splash.window, {200, 85});
    QPointer<QWindow> handle = splash.window->windowHandle();
    QTest::keyClick(handle, Qt::Key_A);
    if (!handle.isNull()) {
        QTest::mouseClick(handle, Qt::LeftButton, {}, bare);
    }
    if (!handle.isNull()) {
        QTest::keyClick(handle, Qt::Key_B);
    }
    if (!splash.window.isNull()) {
        splash.window->close(); // the timer's tick in the same instant
    }
    QTest::qWait(2300);
    EXPECT_FALSE(splash.isOpen());
    EXPECT_EQ(splash.unloaded.count(), 1);
}
