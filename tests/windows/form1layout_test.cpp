// Where the controls of the main window stand and what colours the player sees.
#include "form1fixture.h"

#include <QMenuBar>

namespace {

const QColor lightGreen(128, 255, 128);
const QColor nextKeyBlue(125, 125, 255);
const QColor olive(192, 192, 0);
const QColor black(0, 0, 0);

} // namespace

TEST_F(Form1Test, ClientAreaIsFixed367By230BelowTheMenuBar) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Kestrava"));
    EXPECT_EQ(client()->size(), QSize(367, 230));
    EXPECT_EQ(client()->y(), form->menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(form->height(), form->menuBar()->height() + 230);
    EXPECT_EQ(form->width(), 367);
    EXPECT_EQ(form->minimumSize(), form->maximumSize());

    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(form->isWindow());
    EXPECT_EQ(form->windowType(), Qt::Window); // a taskbar button, unlike a tool window
}

TEST_F(Form1Test, ControlsStandWhereDesignedInPixels) {
    EXPECT_EQ(child<QWidget>("Label7")->geometry(), QRect(10, 6, 111, 29));
    EXPECT_EQ(child<QWidget>("Frame5")->geometry(), QRect(158, 2, 81, 25));
    EXPECT_EQ(child<QWidget>("Frame4")->geometry(), QRect(236, 2, 69, 25));
    EXPECT_EQ(child<QWidget>("Frame3")->geometry(), QRect(300, 2, 69, 25));
    // The numbers reach left to their captions; their right edges stay where designed.
    EXPECT_EQ(child<QWidget>("RemainLabel")->geometry(), QRect(43, 10, 36, 13));
    EXPECT_EQ(child<QWidget>("TimeLabel")->geometry(), QRect(33, 10, 32, 13));
    EXPECT_EQ(child<QWidget>("Label3")->geometry(), QRect(6, 10, 37, 13));
    EXPECT_EQ(child<QWidget>("QFrame")->geometry(), QRect(14, 42, 345, 69));
    EXPECT_EQ(child<QWidget>("StartLabel")->geometry(), QRect(120, 68, 133, 19));
    EXPECT_EQ(child<QWidget>("Frame1")->geometry(), QRect(32, 122, 307, 103));
    EXPECT_EQ(child<QWidget>("Line4")->geometry(), QRect(12, 116, 344, 1));
    EXPECT_EQ(child<QWidget>("Cursor")->geometry(), QRect(2, 8, 35, 31));

    EXPECT_EQ(key('Q')->geometry(), QRect(4, 10, 28, 28));
    EXPECT_EQ(key('P')->geometry(), QRect(274, 10, 28, 28));
    EXPECT_EQ(key('A')->geometry(), QRect(16, 40, 28, 28));
    EXPECT_EQ(key('L')->geometry(), QRect(256, 40, 28, 28));
    EXPECT_EQ(key('Z')->geometry(), QRect(32, 70, 28, 28));
    EXPECT_EQ(key('M')->geometry(), QRect(212, 70, 28, 28));
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        EXPECT_EQ(key(letter)->caption(), QString(QLatin1Char(letter)));

    for (int i = 0; i < Form1::queCount; ++i) {
        EXPECT_EQ(que(i)->geometry(), QRect(4 + 34 * (i % 10), i < 10 ? 10 : 40, 31, 27)) << i;
        EXPECT_FLOAT_EQ(form->queLeft(i), 60.0f + 510.0f * static_cast<float>(i % 10));
        EXPECT_FLOAT_EQ(form->queTop(i), i < 10 ? 150.0f : 600.0f);
        EXPECT_EQ(que(i)->caption(), QString()) << "letters appear only with the first row";
    }

    EXPECT_EQ(caption("Label7"), QStringLiteral("Kestrava"));
    EXPECT_EQ(caption("StartLabel"), QStringLiteral("スペースで開始"));
    EXPECT_EQ(caption("Label3"), QStringLiteral("残り"));
    EXPECT_EQ(caption("Label5"), QStringLiteral("時間"));
    EXPECT_EQ(caption("Label4"), QStringLiteral("ミス"));
    for (const char* number : {"RemainLabel", "TimeLabel", "MissLabel"})
        EXPECT_EQ(caption(number), QStringLiteral("0"));
}

TEST_F(Form1Test, WindowLoadsWaitingWithThePromptAndNoQuestionRow) {
    EXPECT_FALSE(child<QWidget>("QFrame")->isVisible());
    EXPECT_TRUE(child<QWidget>("StartLabel")->isVisible());
    EXPECT_TRUE(form->startLabelEnabled());
    EXPECT_EQ(child<EngineTimer>("Timer1")->interval(), 0);
    EXPECT_EQ(child<EngineTimer>("Timer2")->interval(), 0);
    EXPECT_EQ(child<EngineTimer>("Timer3")->interval(), 500);
    EXPECT_EQ(child<EngineTimer>("Timer2")->timerType(), Qt::PreciseTimer);
}

TEST_F(Form1Test, IdleKeysAreLightGreenAndTheNextKeyBlue) {
    QImage image = screen();
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        EXPECT_EQ(pixel(image, key(letter), QPoint(1, 1)), lightGreen) << letter;
    EXPECT_EQ(pixel(image, client(), QPoint(2, 60)), black);

    type(QStringLiteral(" "));
    const char next = form->queCaption(0).at(0);
    image = screen();
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        EXPECT_EQ(pixel(image, key(letter), QPoint(1, 1)),
                  letter == next ? nextKeyBlue : lightGreen)
            << letter;
}

TEST_F(Form1Test, TypedLetterTurnsOliveAndTheCursorRimMovesOn) {
    type(QStringLiteral(" "));
    QImage image = screen();
    const QWidget* frame = child<QWidget>("QFrame");
    EXPECT_EQ(pixel(image, frame, QPoint(3, 20)), lightGreen) << "rim left of the first letter";
    EXPECT_EQ(pixel(image, frame, QPoint(5, 11)), black) << "the letter cell covers the box";
    EXPECT_GT(pixelsNear(image, que(0), lightGreen), 10);
    EXPECT_EQ(pixelsNear(image, que(0), olive), 0);

    typeLetterOf(0);
    image = screen();
    EXPECT_EQ(pixelsNear(image, que(0), lightGreen), 0);
    EXPECT_GT(pixelsNear(image, que(0), olive), 10);
    EXPECT_EQ(pixel(image, frame, QPoint(3, 20)), black) << "the rim has left the first letter";
    // In a drill the box stands 25 twips left of and above the letter and 35
    // right of and below it: 2 pixels left, 2 right of the 31-pixel cell.
    EXPECT_EQ(child<QWidget>("Cursor")->geometry(), QRect(36, 8, 35, 31));
    EXPECT_EQ(pixel(image, frame, QPoint(37, 20)), lightGreen);
    EXPECT_EQ(pixel(image, frame, QPoint(69, 20)), lightGreen);
    EXPECT_EQ(pixel(image, frame, QPoint(50, 37)), lightGreen);
    EXPECT_EQ(pixel(image, frame, QPoint(39, 11)), black);
}

TEST_F(Form1Test, FramesLieAboveThePromptAndTheRulesRunToTheEdge) {
    // The engine never shows both; shown together, the question area hides
    // the prompt beneath it.
    QImage image = screen();
    const QWidget* prompt = child<QWidget>("StartLabel");
    EXPECT_GT(pixelsNear(image, prompt, lightGreen), 10);
    form->setQFrameVisible(true);
    image = screen();
    EXPECT_EQ(pixelsNear(image, prompt, lightGreen, 100), 0);

    const QWidget* line5 = child<QWidget>("Line5");
    EXPECT_EQ(line5->x(), 154);
    EXPECT_GT(line5->geometry().right(), client()->width() - 1) << "it runs past the edge";
    EXPECT_EQ(image.pixelColor(366, 28), olive);
    EXPECT_EQ(image.pixelColor(154, 28), olive);
    EXPECT_EQ(image.pixelColor(153, 28), black);
    EXPECT_EQ(image.pixelColor(200, 116), olive);
}

TEST_F(Form1Test, FlashingKeyGetsABorderAndKeepsItsPlace) {
    type(QStringLiteral(" "));
    const char next = form->queCaption(0).at(0);
    const char other = next == 'Q' ? 'W' : 'Q';
    const QRect before = key(other)->geometry();
    type(QString(QLatin1Char(other)).toLower());

    EXPECT_EQ(key(other)->borderStyle(), CaptionLabel::BorderStyle::FixedSingle);
    EXPECT_EQ(key(other)->geometry(), before);
    const QImage image = screen();
    EXPECT_NE(pixel(image, key(other), QPoint(0, 14)), lightGreen);
    EXPECT_EQ(pixel(image, key(other), QPoint(1, 14)), lightGreen);
    EXPECT_EQ(caption("MissLabel"), QStringLiteral("1"));

    // The flash ends on the fifth 50 ms tick.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return key(other)->borderStyle() == CaptionLabel::BorderStyle::None; }, 2000));
}
