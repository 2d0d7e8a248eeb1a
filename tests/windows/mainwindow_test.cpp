// The main window as the player meets it: what it shows at each step and which keys reach the
// drill.
#include "mainwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFontInfo>
#include <QKeyEvent>
#include <algorithm>

namespace {

const QColor lightGreen(128, 255, 128);
const QColor nextKeyBlue(125, 125, 255);
const QColor olive(192, 192, 0);
const QColor black(0, 0, 0);

QString key(char letter) {
    return QStringLiteral("Label1_%1").arg(letter - 'A');
}

// How much of a control's picture is near a colour: antialiased text is never quite it.
int pixelsNear(QWidget* control, const QColor& colour) {
    const QImage image = control->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                         std::abs(c.blue() - colour.blue()) <
                     48;
        }
    }
    return count;
}

} // namespace

TEST_F(MainWindow, ShowsEachStepOfADrillInItsColours) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kestrava"));
    EXPECT_EQ(form.centralWidget()->size(), QSize(367, 230));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(pixel(key('A'), {1, 1}), lightGreen);
    auto* prompt = control(QStringLiteral("StartLabel"));
    EXPECT_GT(pixelsNear(prompt, lightGreen), 20);
    fire(form, "Timer3");
    EXPECT_EQ(pixelsNear(prompt, lightGreen), 0) << "greyed by the blink";
    EXPECT_GT(pixelsNear(prompt, control<CaptionLabel>(prompt->objectName())->disabledForeColor()),
              20);

    player.type(' ');
    const char first = player.expected();
    const char other = DrillPlayer::wrongLetter(first);
    EXPECT_EQ(pixel(key(first), {1, 1}), nextKeyBlue);
    EXPECT_EQ(pixel(key(other), {1, 1}), lightGreen);
    EXPECT_EQ(pixel(QStringLiteral("QFrame"), {3, 20}), lightGreen) << "the rim of the box";
    EXPECT_EQ(pixel(QStringLiteral("QFrame"), {5, 11}), black) << "the letter covers the box";
    EXPECT_FALSE(prompt->isVisible());

    player.type(static_cast<char>(other + 32)); // a miss flashes the key typed
    EXPECT_NE(pixel(key(other), {0, 14}), lightGreen) << "the flash border";
    EXPECT_EQ(pixel(key(other), {1, 14}), lightGreen);
    fire(form, "Timer1", 5);
    EXPECT_EQ(pixel(key(other), {0, 14}), lightGreen) << "gone on the fifth tick";

    auto* que0 = control(QStringLiteral("Que0"));
    EXPECT_GT(pixelsNear(que0, lightGreen), 10);
    player.type(static_cast<char>(first + 32));
    EXPECT_EQ(pixelsNear(que0, lightGreen), 0);
    EXPECT_GT(pixelsNear(que0, olive), 10) << "typed letters turn olive";
    EXPECT_EQ(pixel(QStringLiteral("QFrame"), {3, 20}), black) << "the box has moved on";
    EXPECT_EQ(pixel(QStringLiteral("QFrame"), {37, 20}), lightGreen);
}

namespace {

// A few pixels of the waiting window that pin the layout: the keyboard's corners and gaps, and
// where the rules begin and end.
const std::pair<QPoint, QColor> layoutPixels[] = {
    {{36, 132}, lightGreen},  {{35, 140}, black},  {{64, 140}, black},      {{66, 140}, lightGreen},
    {{333, 140}, lightGreen}, {{334, 140}, black}, {{48, 162}, lightGreen}, {{47, 170}, black},
    {{271, 219}, lightGreen}, {{272, 200}, black}, {{64, 192}, lightGreen}, {{64, 220}, black},
    {{154, 28}, olive},       {{153, 28}, black},  {{366, 28}, olive},      {{12, 116}, olive},
    {{11, 116}, black},       {{355, 116}, olive}, {{356, 116}, black},
};

} // namespace

TEST_F(MainWindow, LaysOutTheKeyboardAndRulesToThePixel) {
    const QImage client = form.centralWidget()->grab().toImage();
    for (const auto& [point, colour] : layoutPixels)
        EXPECT_EQ(client.pixelColor(point), colour) << point.x() << "," << point.y();
}

namespace {

struct TypedKey {
    const char* name;
    Qt::Key key;
    const char16_t* text;
    int misses;
};

// Every UTF-16 unit of a typed text is one character code; keys without text are no keys.
const TypedKey typedKeys[] = {
    {"Shift", Qt::Key_Shift, u"", 0},
    {"F1", Qt::Key_F1, u"", 0},
    {"Left", Qt::Key_Left, u"", 0},
    {"Tab", Qt::Key_Tab, u"\t", 1},
    {"Backtab", Qt::Key_Backtab, u"\t", 1},
    {"Brace", Qt::Key_BraceLeft, u"{", 1},
    {"Emoji", Qt::Key_unknown, u"\U0001F600", 2},
};

} // namespace

class KeysIntoADrill : public MainWindow, public ::testing::WithParamInterface<TypedKey> {};

TEST_P(KeysIntoADrill, EachCharacterCodeIsJudged) {
    player.type(' ');
    QWidget* focus = QApplication::focusWidget();
    QKeyEvent press(QEvent::KeyPress, GetParam().key, Qt::NoModifier,
                    QString::fromUtf16(GetParam().text));
    QApplication::sendEvent(&form, &press);
    EXPECT_EQ(player.misses(), GetParam().misses);
    EXPECT_EQ(player.remaining(), 60);
    EXPECT_EQ(QApplication::focusWidget(), focus) << "Tab moves no focus";
}

INSTANTIATE_TEST_SUITE_P(Keys, KeysIntoADrill, ::testing::ValuesIn(typedKeys),
                         [](const auto& info) { return std::string(info.param.name); });

// Each number of keys chosen reaches the next drill, and the check mark follows it.
TEST_F(MainWindow, MenuChoosesTheNextDrillsLengthAndMarksIt) {
    for (const int keys : {100, 100, 20, 60}) {
        player.chooseKeys(keys);
        for (QAction* action : control<QAction>(QStringLiteral("TN20"))->actionGroup()->actions())
            EXPECT_EQ(action->isChecked(), action->text().toInt() == keys) << keys;
        player.type(' ');
        EXPECT_EQ(player.remaining(), keys);
    }
}

// The faces that stand in for the designed fonts have every character of every caption, menu and
// question letter themselves, without the fallback faces that would hide a missing glyph.
TEST_F(MainWindow, EveryCaptionIsDrawnByTheFaceChosenForIt) {
    const auto drawsAll = [](const QFont& font, const QString& text) {
        QFont face(QFontInfo(font).family());
        face.setPointSizeF(font.pointSizeF());
        face.setStyleStrategy(QFont::NoFontMerging);
        return std::ranges::all_of(text.toUcs4(),
                                   [&](uint c) { return QFontMetrics(face).inFontUcs4(c); });
    };
    EXPECT_NEAR(QFontInfo(QApplication::font()).pointSizeF(), 9, 0.5);
    EXPECT_TRUE(drawsAll(QApplication::font(), QStringLiteral("設定問題数0123456789.,")));
    const QFont letters = control(QStringLiteral("Que0"))->font();
    EXPECT_TRUE(QFontInfo(letters).fixedPitch());
    EXPECT_TRUE(drawsAll(letters, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ")));
    for (const CaptionLabel* label : form.findChildren<CaptionLabel*>())
        EXPECT_TRUE(drawsAll(label->font(), label->caption())) << label->objectName().toStdString();
}
