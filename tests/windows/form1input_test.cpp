// What the main window passes on to the drill: typed characters, menu
// choices and timer ticks.
#include "form1fixture.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QStringList>
#include <algorithm>
#include <vector>

TEST_F(Form1Test, SmallLettersTypedIntoTheWindowDriveTheDrill) {
    type(QStringLiteral(" "));
    EXPECT_TRUE(child<QWidget>("QFrame")->isVisible());
    EXPECT_FALSE(child<QWidget>("StartLabel")->isVisible());
    EXPECT_EQ(caption("RemainLabel"), QStringLiteral("60"));

    for (int i = 0; i < 5; ++i)
        typeLetterOf(i);
    EXPECT_EQ(caption("RemainLabel"), QStringLiteral("55"));
    EXPECT_EQ(caption("MissLabel"), QStringLiteral("0"));
    EXPECT_EQ(child<EngineTimer>("Timer1")->interval(), 50);

    // A whole row and the start of the next one: the row is refilled.
    for (int i = 5; i < 20; ++i)
        typeLetterOf(i);
    EXPECT_EQ(caption("RemainLabel"), QStringLiteral("40"));
    EXPECT_EQ(child<QWidget>("Cursor")->geometry().topLeft(), QPoint(2, 8));
}

TEST_F(Form1Test, KeysThatTypeNoCharacterDoNothing) {
    type(QStringLiteral(" "));
    for (Qt::Key key : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_F1, Qt::Key_Left, Qt::Key_Alt})
        QTest::keyClick(form.get(), key);
    EXPECT_EQ(caption("MissLabel"), QStringLiteral("0"));
    EXPECT_EQ(caption("RemainLabel"), QStringLiteral("60"));
}

TEST_F(Form1Test, EveryUtf16UnitOfATypedTextIsOneKeyPress) {
    type(QStringLiteral(" "));
    // One character outside the basic plane arrives as two units: two misses.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("😀"));
    QApplication::sendEvent(form.get(), &press);
    EXPECT_EQ(caption("MissLabel"), QStringLiteral("2"));
}

TEST_F(Form1Test, TabIsTypedAndDoesNotMoveTheFocus) {
    QApplication::setActiveWindow(form.get());
    form->setFocus();
    QWidget* focus = QApplication::focusWidget();
    type(QStringLiteral(" "));
    QTest::keyClick(form.get(), Qt::Key_Tab);
    QTest::keyClick(form.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), focus);
    EXPECT_GE(caption("MissLabel").toInt(), 1) << "the Tab character is judged as a miss";

    for (QWidget* widget : form->findChildren<QWidget*>())
        EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus) << widget->objectName().toStdString();
    EXPECT_FALSE(form->testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(Form1Test, CheckMarkFollowsTheChosenNumber) {
    auto* tn20 = child<QAction>("TN20");
    auto* tn60 = child<QAction>("TN60");
    auto* tn100 = child<QAction>("TN100");
    const auto marked = [&] {
        QStringList texts;
        for (QAction* action : {tn20, tn60, tn100}) {
            if (action->isChecked())
                texts << action->text();
        }
        return texts.join(QLatin1Char(','));
    };
    for (QAction* action : {tn20, tn60, tn100}) {
        EXPECT_TRUE(action->shortcut().isEmpty());
        EXPECT_FALSE(action->text().contains(QLatin1Char('&')));
        // A check mark, not the radio dot an exclusive group is drawn with.
        ASSERT_NE(action->actionGroup(), nullptr);
        EXPECT_FALSE(action->actionGroup()->isExclusive());
    }
    EXPECT_EQ(marked(), QStringLiteral("60"));
    tn20->trigger();
    EXPECT_EQ(marked(), QStringLiteral("20"));
    tn100->trigger();
    EXPECT_EQ(marked(), QStringLiteral("100"));
    tn100->trigger();
    EXPECT_EQ(marked(), QStringLiteral("100")) << "choosing the marked number again keeps its mark";
    tn60->trigger();
    EXPECT_EQ(marked(), QStringLiteral("60"));
}

TEST_F(Form1Test, MenuChoiceSetsTheNextDrillsLength) {
    child<QAction>("TN20")->trigger();
    type(QStringLiteral(" "));
    EXPECT_EQ(caption("RemainLabel"), QStringLiteral("20"));
    for (int i = 0; i < 20; ++i)
        typeLetterOf(i);
    EXPECT_EQ(report.shown, 1);
    EXPECT_FALSE(child<QWidget>("QFrame")->isVisible());
    EXPECT_TRUE(child<QWidget>("StartLabel")->isVisible());
    EXPECT_EQ(report.tn, "20");

    child<QAction>("TN100")->trigger();
    type(QStringLiteral(" "));
    EXPECT_EQ(caption("RemainLabel"), QStringLiteral("100"));
}

TEST_F(Form1Test, MenuChoiceDuringADrillAbandonsIt) {
    type(QStringLiteral(" "));
    typeLetterOf(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return caption("TimeLabel") != QStringLiteral("0"); }, 2000));

    child<QAction>("TN100")->trigger();
    EXPECT_FALSE(child<QWidget>("QFrame")->isVisible());
    EXPECT_TRUE(child<QWidget>("StartLabel")->isVisible());
    EXPECT_EQ(child<EngineTimer>("Timer2")->interval(), 0);
    EXPECT_EQ(child<EngineTimer>("Timer3")->interval(), 500);
    EXPECT_EQ(caption("RemainLabel"), QStringLiteral("59"));
    EXPECT_EQ(report.shown, 0);

    const QString stopped = caption("TimeLabel");
    QTest::qWait(60);
    EXPECT_EQ(caption("TimeLabel"), stopped) << "the clock has stopped";
    type(QStringLiteral("a")); // waiting: ignored
    EXPECT_EQ(caption("MissLabel"), QStringLiteral("0"));
}

TEST_F(Form1Test, PromptBlinksBetweenLightGreenAndGrey) {
    const QWidget* prompt = child<QWidget>("StartLabel");
    QImage image = screen();
    EXPECT_GT(pixelsNear(image, prompt, QColor(128, 255, 128)), 10);

    // The first blink tick comes half a second after load.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->startLabelEnabled(); }, 2000));
    image = screen();
    EXPECT_EQ(pixelsNear(image, prompt, QColor(128, 255, 128), 60), 0);
    EXPECT_GT(pixelsNear(image, prompt, child("StartLabel")->disabledForeColor()), 10)
        << "the greyed text is still drawn";

    ASSERT_TRUE(QTest::qWaitFor([&] { return form->startLabelEnabled(); }, 2000));
    EXPECT_GT(pixelsNear(screen(), prompt, QColor(128, 255, 128)), 10);
}

TEST_F(Form1Test, KeyIsAnsweredAndRepaintedWellUnderTwoMilliseconds) {
    child<QAction>("TN100")->trigger();
    type(QStringLiteral(" "));
    QApplication::processEvents();

    std::vector<qint64> nanoseconds;
    int cursor = 0;
    for (int n = 0; n < 90; ++n) {
        const QString letter =
            n % 3 == 2 ? QStringLiteral("{") : QString::fromStdString(form->queCaption(cursor));
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(form.get(), letter.at(0).toLatin1());
        QApplication::processEvents(); // paints what the key changed
        nanoseconds.push_back(timer.nsecsElapsed());
        if (n % 3 != 2)
            cursor = (cursor + 1) % Form1::queCount;
    }
    std::sort(nanoseconds.begin(), nanoseconds.end());
    const qint64 median = nanoseconds[nanoseconds.size() / 2];
    EXPECT_LT(median, 2'000'000) << "median " << median << " ns";
    EXPECT_EQ(caption("MissLabel"), QStringLiteral("30"));
    RecordProperty("median_ns", static_cast<int>(median));
}
