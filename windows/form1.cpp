#include "form1.h"

#include "captionlabel.h"
#include "counterlabel.h"
#include "fixedwindow.h"
#include "fonts.h"
#include "notice.h"
#include "qtcolour.h"
#include "twips.h"
#include "version.h"

#include <QAccessible>
#include <QActionGroup>
#include <QKeyEvent>
#include <QLayout>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QRandomGenerator>
#include <QString>
#include <QTime>
#include <cstdint>

namespace {

namespace colours = kestrava::colours;

// The client area, below the menu bar.
constexpr int clientWidthTwips = 5505;
constexpr int clientHeightTwips = 3450;

constexpr float queLeftTwips(int i) {
    return static_cast<float>(60 + 510 * (i % 10));
}
constexpr float queTopTwips(int i) {
    return i < 10 ? 150.0f : 600.0f;
}
constexpr int queWidthTwips = 465;
constexpr int queHeightTwips = 405;

// The letter rows of a QWERTY keyboard, staggered like the physical rows.
struct KeyRow {
    const char* letters;
    int left;
    int top;
};
constexpr KeyRow keyRows[] = {
    {"QWERTYUIOP", 60, 150}, {"ASDFGHJKL", 240, 600}, {"ZXCVBNM", 480, 1050}};
constexpr int keyPitchTwips = 450;
constexpr int keySizeTwips = 420;

struct Counter {
    const char* frame;
    QRect frameTwips;
    const char* captionName;
    int captionLeft;
    int captionWidth;
    const char* text; // UTF-8
    const char* numberName;
    int numberLeft;
};
constexpr int counterTop = 150;
constexpr int counterHeight = 195;
constexpr int numberWidth = 465;

// Frame4 is stacked above Frame3 and Frame5 above Frame4: the frames overlap
// by a few pixels, and this order keeps the right-aligned numbers of the
// remaining-keys and time counters clear of the next frame.
const Counter counters[] = {
    {"Frame3", QRect(4500, 30, 1035, 375), "Label4", 90, 405, "ミス", "MissLabel", 510},
    {"Frame4", QRect(3540, 30, 1035, 375), "Label5", 90, 405, "時間", "TimeLabel", 510},
    {"Frame5", QRect(2370, 30, 1215, 375), "Label3", 90, 555, "残り", "RemainLabel", 720},
};

QRect toPixels(const QRect& twips) {
    return twipsRect(twips.x(), twips.y(), twips.width(), twips.height());
}

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A borderless black container that hides its contents with it.
QWidget* makeFrame(QWidget* parent, const QString& name, const QRect& twips) {
    auto* frame = new QWidget(parent);
    frame->setObjectName(name);
    frame->setGeometry(toPixels(twips));
    setBackground(frame, toQColor(colours::black));
    return frame;
}

// A horizontal olive rule one pixel wide; its container clips what runs past
// its edge.
QWidget* makeRule(QWidget* parent, const QString& name, int x1, int x2, int y) {
    auto* rule = new QWidget(parent);
    rule->setObjectName(name);
    rule->setGeometry(twipsToPixels(x1), twipsToPixels(y), twipsToPixels(x2) - twipsToPixels(x1),
                      1);
    setBackground(rule, toQColor(colours::olive));
    return rule;
}

CaptionLabel* makeLabel(QWidget* parent, const QString& name, const QRect& twips) {
    auto* label = new CaptionLabel(parent);
    label->setObjectName(name);
    label->setGeometry(toPixels(twips));
    return label;
}

// Light-green text on black, as every caption on the window but the keys.
void makeGreenOnBlack(CaptionLabel* label) {
    label->setBackColor(toQColor(colours::black));
    label->setForeColor(toQColor(colours::lightGreen));
}

} // namespace

Form1::Form1(kestrava::KSReportControls& report, const TimerSource& timers, QWidget* parent)
    : QMainWindow(parent)
    , m_random(QRandomGenerator::system()->generate64())
    , m_engine(*this, report,
               kestrava::DrillEngine::Platform{[] { return QTime::currentTime().second(); },
                                               m_random, QLocale().decimalPoint().toStdString()}) {
    setWindowTitle(QStringLiteral(KESTRAVA_NAME));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    keepUnmaximised(*this);

    // Every typed character belongs to the window itself. Without an input
    // method a Japanese IME still delivers the Latin letters the drill needs.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);

    const auto makeTimer = [&](const char* name, Qt::TimerType type,
                               void (kestrava::DrillEngine::*tick)()) {
        EngineTimer* timer = timers(type, this);
        timer->setObjectName(QLatin1String(name));
        connect(timer, &EngineTimer::timeout, this, [this, tick] { (m_engine.*tick)(); });
        return timer;
    };
    m_timer1 = makeTimer("Timer1", Qt::CoarseTimer, &kestrava::DrillEngine::Timer1_Timer);
    m_timer2 = makeTimer("Timer2", Qt::PreciseTimer, &kestrava::DrillEngine::Timer2_Timer);
    m_timer3 = makeTimer("Timer3", Qt::CoarseTimer, &kestrava::DrillEngine::Timer3_Timer);

    buildMenu();
    buildClientArea();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setFocus();

    m_engine.Form_Load();
}

Form1::~Form1() = default;

void Form1::buildMenu() {
    // No caption holds an '&', so no item has an access key that could take
    // a typed letter away from the drill; none has a shortcut either.
    QMenu* setting = menuBar()->addMenu(QStringLiteral("設定"));
    setting->setObjectName(QStringLiteral("setting"));
    QMenu* typingNumber = setting->addMenu(QStringLiteral("問題数"));
    typingNumber->setObjectName(QStringLiteral("TypingNumber"));

    QAction* tn20 = typingNumber->addAction(QStringLiteral("20"));
    QAction* tn60 = typingNumber->addAction(QStringLiteral("60"));
    QAction* tn100 = typingNumber->addAction(QStringLiteral("100"));
    tn20->setObjectName(QStringLiteral("TN20"));
    tn60->setObjectName(QStringLiteral("TN60"));
    tn100->setObjectName(QStringLiteral("TN100"));

    // The check mark follows the chosen number, so the menu always shows the
    // setting in force. The group does the bookkeeping without exclusivity of
    // its own: an exclusive group would draw radio dots instead of check marks,
    // and a second choice of the marked item would otherwise clear its mark.
    auto* numbers = new QActionGroup(this);
    numbers->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (QAction* action : {tn20, tn60, tn100}) {
        action->setCheckable(true);
        numbers->addAction(action);
    }
    tn60->setChecked(true);
    connect(numbers, &QActionGroup::triggered, this, [numbers](QAction* chosen) {
        for (QAction* action : numbers->actions())
            action->setChecked(action == chosen);
    });

    connect(tn20, &QAction::triggered, this, [this] { m_engine.TN20_Click(); });
    connect(tn60, &QAction::triggered, this, [this] { m_engine.TN60_Click(); });
    connect(tn100, &QAction::triggered, this, [this] { m_engine.TN100_Click(); });
}

void Form1::buildClientArea() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips));
    setBackground(client, toQColor(colours::black));
    setCentralWidget(client);

    // Labels and rules drawn on the window first: the frames lie above them.
    CaptionLabel* title = makeLabel(client, QStringLiteral("Label7"), QRect(150, 90, 1665, 435));
    title->setBackStyle(CaptionLabel::BackStyle::Transparent);
    title->setForeColor(toQColor(colours::lightGreen));
    title->setFont(msPGothic(12));
    title->setCaption(QStringLiteral(KESTRAVA_NAME));

    makeRule(client, QStringLiteral("Line5"), 2310, 5580, 420);

    m_startLabel = makeLabel(client, QStringLiteral("StartLabel"), QRect(1800, 1020, 1995, 285));
    makeGreenOnBlack(m_startLabel);
    m_startLabel->setAlignment(Qt::AlignHCenter);
    m_startLabel->setFont(msPGothic(9.75));
    m_startLabel->setCaption(QStringLiteral("スペースで開始"));
    // While it shows, the prompt is what a screen reader reads first: the letters are hidden then.
    m_startLabel->setMark(CaptionLabel::Mark::Focused);

    makeRule(client, QStringLiteral("Line4"), 180, 5340, 1740);

    for (const Counter& counter : counters) {
        QWidget* frame = makeFrame(client, QString::fromLatin1(counter.frame), counter.frameTwips);
        CaptionLabel* caption =
            makeLabel(frame, QString::fromLatin1(counter.captionName),
                      QRect(counter.captionLeft, counterTop, counter.captionWidth, counterHeight));
        makeGreenOnBlack(caption);
        caption->setCaption(QString::fromUtf8(counter.text));
        // The number keeps its right edge but reaches left to the end of its caption: "100.00"
        // is wider than the 465 twips the number was drawn with.
        const int captionEnd = counter.captionLeft + counter.captionWidth;
        const int numberRight = counter.numberLeft + numberWidth;
        auto* number = new CounterLabel(frame);
        number->setObjectName(QString::fromLatin1(counter.numberName));
        number->setGeometry(
            toPixels(QRect(captionEnd, counterTop, numberRight - captionEnd, counterHeight)));
        QPalette numberColours = number->palette();
        numberColours.setColor(QPalette::Window, toQColor(colours::black));
        numberColours.setColor(QPalette::WindowText, toQColor(colours::lightGreen));
        number->setPalette(numberColours);
        number->setCaption(QStringLiteral("0"));
    }
    m_remainLabel = client->findChild<CounterLabel*>(QStringLiteral("RemainLabel"));
    m_timeLabel = client->findChild<CounterLabel*>(QStringLiteral("TimeLabel"));
    m_missLabel = client->findChild<CounterLabel*>(QStringLiteral("MissLabel"));
    m_missCaption = client->findChild<CaptionLabel*>(QStringLiteral("Label4"));

    m_qFrame = makeFrame(client, QStringLiteral("QFrame"), QRect(210, 630, 5175, 1035));
    m_missNotice = new Notice(m_qFrame);
    m_missNotice->setObjectName(QStringLiteral("MissNotice"));
    // Made before the letters, so it lies beneath them and only its rim shows.
    m_cursor = makeLabel(m_qFrame, QStringLiteral("Cursor"), QRect(30, 120, 525, 465));
    m_cursor->setBackColor(toQColor(colours::lightGreen));
    const QFont queFont = lucidaConsole(20.25);
    for (int i = 0; i < queCount; ++i) {
        CaptionLabel* que =
            makeLabel(m_qFrame, QStringLiteral("Que%1").arg(i),
                      QRect(static_cast<int>(queLeftTwips(i)), static_cast<int>(queTopTwips(i)),
                            queWidthTwips, queHeightTwips));
        makeGreenOnBlack(que);
        que->setAlignment(Qt::AlignHCenter);
        que->setFont(queFont);
        m_que[i] = que;
    }

    QWidget* keyboard = makeFrame(client, QStringLiteral("Frame1"), QRect(480, 1830, 4605, 1545));
    const QFont keyFont = msPGothic(20.25);
    for (const KeyRow& row : keyRows) {
        for (int j = 0; row.letters[j] != '\0'; ++j) {
            const int index = row.letters[j] - 'A';
            CaptionLabel* key =
                makeLabel(keyboard, QStringLiteral("Label1_%1").arg(index),
                          QRect(row.left + keyPitchTwips * j, row.top, keySizeTwips, keySizeTwips));
            key->setBackColor(toQColor(colours::lightGreen));
            key->setAlignment(Qt::AlignHCenter);
            key->setFont(keyFont);
            key->setCaption(QString(QLatin1Char(row.letters[j])));
            m_keys[index] = key;
        }
    }
}

void Form1::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty()) {
        event->ignore();
        return;
    }
    // One code per UTF-16 unit: the engine takes 16-bit character codes.
    for (const QChar unit : text)
        m_engine.Form_KeyPress(static_cast<std::int16_t>(unit.unicode()));
    event->accept();
}

void Form1::changeEvent(QEvent* event) {
    // A window that comes to the front is read from its reading focus: the prompt when it shows,
    // such as when a result window has closed. Qt tells readers of the window's own focus only
    // after this event, so the reading focus follows in a pass of its own.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        const auto announce = [this] {
            if (isActiveWindow())
                announceReadingFocus();
        };
        QMetaObject::invokeMethod(this, announce, Qt::QueuedConnection);
    }
    QMainWindow::changeEvent(event);
}

bool Form1::focusNextPrevChild(bool) {
    return false;
}

void Form1::setKeyBackColor(int key, kestrava::Colour colour) {
    m_keys.at(key)->setBackColor(toQColor(colour));
}

void Form1::setKeyBorderStyle(int key, int style) {
    m_keys.at(key)->setBorderStyle(style == 0 ? CaptionLabel::BorderStyle::None
                                              : CaptionLabel::BorderStyle::FixedSingle);
}

std::string Form1::queCaption(int i) const {
    return m_que.at(i)->caption().toStdString();
}

void Form1::setQueCaption(int i, const std::string& caption) {
    m_que.at(i)->setCaption(QString::fromStdString(caption));
}

void Form1::setQueForeColor(int i, kestrava::Colour colour) {
    m_que.at(i)->setForeColor(toQColor(colour));
}

float Form1::queLeft(int i) const {
    return queLeftTwips(i);
}

float Form1::queTop(int i) const {
    return queTopTwips(i);
}

void Form1::setCursorLeft(float left) {
    m_cursor->move(twipsToPixels(left), m_cursor->y());
}

// The letter to type takes the reading focus, as a table's current cell does, and a screen reader
// speaks it whenever it changes while the row shows.
void Form1::setLetterToType(int i) {
    CaptionLabel* letter = i < 0 ? nullptr : m_que.at(i);
    if (letter == m_letterToType)
        return;
    m_missNotice->hide();
    if (m_letterToType != nullptr)
        m_letterToType->setMark(CaptionLabel::Mark::None);
    m_letterToType = letter;
    if (letter != nullptr) {
        letter->setMark(CaptionLabel::Mark::Focused);
        if (m_qFrame->isVisible())
            announceReadingFocus();
    }
}

// Readers say nothing of a focus that stays where it is, so a miss is told by itself, on behalf
// of the letter to type: the miss count's caption and value and the letter again.
void Form1::announceMiss(int i) {
    m_missNotice->notify(m_que.at(i), m_missCaption->caption() + ' ' + m_missLabel->caption() +
                                          ' ' + m_que.at(i)->caption());
}

void Form1::setNextKey(int key) {
    if (m_nextKey != nullptr)
        m_nextKey->setMark(CaptionLabel::Mark::None);
    m_nextKey = key < 0 ? nullptr : m_keys.at(key);
    if (m_nextKey != nullptr)
        m_nextKey->setMark(CaptionLabel::Mark::Selected);
}

void Form1::announceReadingFocus() {
    // As Qt's own widgets do, the event goes out whether or not anyone listens: at most one a key.
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(this);
    if (QAccessibleInterface* focus = window != nullptr ? window->focusChild() : nullptr) {
        QAccessibleEvent event(focus, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

void Form1::setCursorTop(float top) {
    m_cursor->move(m_cursor->x(), twipsToPixels(top));
}

void Form1::setQFrameVisible(bool visible) {
    m_qFrame->setVisible(visible);
    if (visible && m_letterToType != nullptr)
        announceReadingFocus(); // a drill's first letter, told while the row was still hidden
}

void Form1::setStartLabelVisible(bool visible) {
    m_startLabel->setVisible(visible);
}

bool Form1::startLabelEnabled() const {
    return m_startLabel->isEnabled();
}

void Form1::setStartLabelEnabled(bool enabled) {
    m_startLabel->setEnabled(enabled);
}

void Form1::setRemainLabelCaption(const std::string& caption) {
    m_remainLabel->setCaption(QString::fromStdString(caption));
}

void Form1::setMissLabelCaption(const std::string& caption) {
    m_missLabel->setCaption(QString::fromStdString(caption));
}

std::string Form1::timeLabelCaption() const {
    return m_timeLabel->caption().toStdString();
}

void Form1::setTimeLabelCaption(const std::string& caption) {
    m_timeLabel->setCaption(QString::fromStdString(caption));
}

void Form1::setTimer1Interval(int ms) {
    m_timer1->setInterval(ms);
}

void Form1::setTimer2Interval(int ms) {
    m_timer2->setInterval(ms);
}

void Form1::setTimer3Interval(int ms) {
    m_timer3->setInterval(ms);
}
