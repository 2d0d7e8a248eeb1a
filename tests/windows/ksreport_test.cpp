#include "ksreport.h"
#include "windowsupport.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>
#include <utility>

using windowsupport::countPixels;
using windowsupport::flushDeletes;
using windowsupport::picture;
using windowsupport::showAndActivate;

namespace {

const QColor lightGreen(128, 255, 128);
const QColor black(0, 0, 0);
const QColor okGreen(0, 255, 0);

QWidget* control(QWidget& window, const char* name) {
    auto* widget = window.findChild<QWidget*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QRect geometryOf(QWidget& window, const char* name) {
    QWidget* widget = control(window, name);
    return widget == nullptr ? QRect() : widget->geometry();
}

QString textOf(QWidget& window, const char* name) {
    auto* label = qobject_cast<QLabel*>(control(window, name));
    return label == nullptr ? QString() : label->text();
}

} // namespace

TEST(KSReportLayout, WindowIsAFixedOwnerlessDialogTitledKSReport) {
    KSReport report;
    EXPECT_EQ(report.windowTitle(), QStringLiteral("KS Report"));
    EXPECT_EQ(report.size(), QSize(174, 169));
    EXPECT_EQ(report.minimumSize(), report.maximumSize());
    EXPECT_EQ(report.parentWidget(), nullptr);
    EXPECT_TRUE(report.isWindow());
    EXPECT_EQ(report.windowModality(), Qt::NonModal);
    const Qt::WindowFlags flags = report.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(report.testAttribute(Qt::WA_DeleteOnClose));
    // The result window alone keeps the program running once the main
    // window is closed.
    EXPECT_TRUE(report.testAttribute(Qt::WA_QuitOnClose));
}

TEST(KSReportLayout, RowsStandWhereDesignedAndValuesEndOnOneEdge) {
    KSReport report;
    EXPECT_EQ(geometryOf(report, "Label2"), QRect(14, 4, 59, 19));
    EXPECT_EQ(textOf(report, "Label2"), QStringLiteral("Result"));
    EXPECT_EQ(geometryOf(report, "Line1"), QRect(14, 16, 150, 1));
    EXPECT_EQ(geometryOf(report, "Frame5"), QRect(12, 18, 159, 23));
    EXPECT_EQ(geometryOf(report, "Frame3"), QRect(12, 118, 165, 25));
    EXPECT_EQ(geometryOf(report, "Label3"), QRect(4, 10, 89, 13));
    EXPECT_EQ(geometryOf(report, "TNLabel"), QRect(93, 10, 58, 13));
    EXPECT_EQ(geometryOf(report, "Command1"), QRect(54, 144, 53, 19));

    const std::pair<const char*, const char*> captions[] = {
        {"Label3", "問題数"},         {"Label8", "ミスタッチ"},
        {"Label1", "所要時間（秒）"}, {"Label6", "スピード（タイプ/秒）"},
        {"Label5", "正確性（％）"},   {"Label4", "総合評価"},
    };
    for (const auto& [name, caption] : captions) {
        EXPECT_EQ(textOf(report, name), QString::fromUtf8(caption)) << name;
    }

    for (const char* name :
         {"TNLabel", "MissLabel", "TimeLabel", "SpeedLabel", "ExactityLabel", "EvalLabel"}) {
        auto* label = qobject_cast<QLabel*>(control(report, name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), QStringLiteral("00000")) << name;
        EXPECT_EQ(label->geometry().left() + label->geometry().width(), 151) << name;
        EXPECT_TRUE(label->alignment().testFlag(Qt::AlignRight)) << name;
    }
}

TEST(KSReportLayout, LongFiguresShowWholeFirstDigitIncluded) {
    KSReport report;
    const std::pair<const char*, const char*> widest[] = {
        {"TNLabel", "100"},       {"MissLabel", "10000"},       {"TimeLabel", "147.85"},
        {"SpeedLabel", "3.9867"}, {"ExactityLabel", "95.2381"}, {"EvalLabel", "Better"},
    };
    for (const auto& [name, figure] : widest) {
        auto* label = qobject_cast<QLabel*>(control(report, name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_LE(label->fontMetrics().horizontalAdvance(QString::fromLatin1(figure)),
                  label->width())
            << name << " " << figure;
    }
}

TEST(KSReportLayout, HeadingRuleAndUpperRowsLieOnTop) {
    KSReport report;
    // A point of the rule inside the heading label's cell.
    EXPECT_EQ(report.childAt(30, 16), control(report, "Line1"));
    // The bottom of the first row's value label lies inside the second frame.
    EXPECT_EQ(report.childAt(130, 39), control(report, "TNLabel"));
}

TEST(KSReportColours, GreenButtonFaceAndLightGreenTextOnBlack) {
    KSReport report;
    report.show();
    const QImage image = picture(report);

    const QRect button = geometryOf(report, "Command1");
    EXPECT_EQ(image.pixelColor(button.left() + 5, button.center().y()), okGreen);
    EXPECT_EQ(image.pixelColor(button.right() - 5, button.center().y()), okGreen);

    EXPECT_GT(countPixels(image, geometryOf(report, "Label2"), lightGreen), 5);
    const QRect frame5 = geometryOf(report, "Frame5");
    EXPECT_GT(
        countPixels(image, geometryOf(report, "TNLabel").translated(frame5.topLeft()), lightGreen),
        5);
    EXPECT_EQ(image.pixelColor(100, 16), lightGreen); // the heading rule
    EXPECT_EQ(image.pixelColor(2, 2), black);
    EXPECT_EQ(image.pixelColor(170, 165), black);
}

TEST(KSReportKeys, OkButtonIsTheOnlyFocusAndHasIt) {
    KSReport report;
    ASSERT_TRUE(showAndActivate(report));
    QWidget* command1 = control(report, "Command1");
    EXPECT_EQ(QApplication::focusWidget(), command1);
    for (QWidget* child : report.findChildren<QWidget*>()) {
        if (child != command1) {
            EXPECT_EQ(child->focusPolicy(), Qt::NoFocus) << child->objectName().toStdString();
        }
    }
}

TEST(KSReportKeys, SpaceEnterReturnAndCloseButtonEachDestroyTheWindow) {
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        QPointer<KSReport> report = new KSReport;
        ASSERT_TRUE(showAndActivate(*report));
        QTest::keyClick(report->windowHandle(), key);
        flushDeletes();
        EXPECT_TRUE(report.isNull()) << "key " << key;
        delete report;
    }

    QPointer<KSReport> report = new KSReport;
    ASSERT_TRUE(showAndActivate(*report));
    EXPECT_TRUE(report->close());
    flushDeletes();
    EXPECT_TRUE(report.isNull());
    delete report;
}

TEST(KSReportKeys, LetterKeysLeaveTheWindowOpen) {
    QPointer<KSReport> report = new KSReport;
    ASSERT_TRUE(showAndActivate(*report));
    QTest::keyClick(report->windowHandle(), 'a');
    QTest::keyClick(report->windowHandle(), Qt::Key_Escape);
    flushDeletes();
    ASSERT_FALSE(report.isNull());
    EXPECT_TRUE(report->isVisible());
    delete report;
}
