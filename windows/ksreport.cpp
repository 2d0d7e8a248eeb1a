#include "ksreport.h"

#include "colour.h"
#include "fixedwindow.h"
#include "qtcolour.h"
#include "skiptaskbar.h"
#include "twips.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace {

struct Row {
    const char* frame;
    int frameTop;
    int frameWidth;
    int frameHeight;
    const char* captionLabel;
    const char* caption;
    int captionWidth;
    const char* valueLabel;
    int valueLeft;
    int valueWidth;
};

// Rows top to bottom; every value label ends at x = 2265 within its frame.
constexpr std::array<Row, 6> rows{{
    {"Frame5", 270, 2385, 345, "Label3", "問題数", 1335, "TNLabel", 1620, 645},
    {"Frame6", 570, 2475, 375, "Label8", "ミスタッチ", 1125, "MissLabel", 1650, 615},
    {"Frame1", 870, 2325, 375, "Label1", "所要時間（秒）", 1125, "TimeLabel", 1680, 585},
    {"Frame4", 1170, 2475, 375, "Label6", "スピード（タイプ/秒）", 1515, "SpeedLabel", 1710, 555},
    {"Frame2", 1470, 2385, 375, "Label5", "正確性（％）", 1095, "ExactityLabel", 1680, 585},
    {"Frame3", 1770, 2475, 375, "Label4", "総合評価", 825, "EvalLabel", 1650, 615},
}};

constexpr int frameLeft = 180;
constexpr int labelTop = 150;
constexpr int labelHeight = 195;

QWidget* makeFrame(QWidget* parent, const char* name, QRect geometry) {
    auto* frame = new QWidget(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setGeometry(geometry);
    frame->setAutoFillBackground(true);
    return frame;
}

// Light green on opaque black: the colours come from the window's palette.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry,
                  Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setAutoFillBackground(true);
    return label;
}

} // namespace

KSReport::KSReport()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("KSReport"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("KS Report"));
    setFixedSize(twipsToPixels(2610), twipsToPixels(2535));
    keepUnmaximised(*this);

    QPalette colours = palette();
    colours.setColor(QPalette::Window, toQColor(kestrava::colours::black));
    colours.setColor(QPalette::WindowText, toQColor(kestrava::colours::lightGreen));
    setPalette(colours);
    setAutoFillBackground(true);

    makeLabel(this, "Label2", QStringLiteral("Result"), twipsRect(210, 60, 885, 285),
              Qt::AlignLeft);
    // The heading rule crosses the lower part of Label2's cell, so it has to
    // lie above the label.
    auto* line1 = new QWidget(this);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setGeometry(twipsRect(210, 240, 2460 - 210, 15));
    QPalette lineColour = colours;
    lineColour.setColor(QPalette::Window, toQColor(kestrava::colours::lightGreen));
    line1->setPalette(lineColour);
    line1->setAutoFillBackground(true);

    std::array<QWidget*, rows.size()> frames{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        QWidget* frame = makeFrame(
            this, row.frame, twipsRect(frameLeft, row.frameTop, row.frameWidth, row.frameHeight));
        QLabel* caption =
            makeLabel(frame, row.captionLabel, QString::fromUtf8(row.caption),
                      twipsRect(60, labelTop, row.captionWidth, labelHeight), Qt::AlignLeft);
        // The value keeps its right edge but reaches left to the end of its
        // caption: this font's digits are wider than the cells were drawn for,
        // and a right-aligned text too wide for its label loses its first digit.
        const int captionEnd = 60 + row.captionWidth;
        const int valueRight = row.valueLeft + row.valueWidth;
        const int valueLeft = std::min(row.valueLeft, captionEnd);
        m_values[i] = makeLabel(frame, row.valueLabel, QStringLiteral("00000"),
                                twipsRect(valueLeft, labelTop, valueRight - valueLeft, labelHeight),
                                Qt::AlignRight);
        // A screen reader reads each value with its caption.
        caption->setBuddy(m_values[i]);
        frames[i] = frame;
    }
    // Each frame reaches 45 to 75 twips into the next one, over the bottom of
    // its own labels; stacking every row above the row below keeps them whole.
    for (auto frame = frames.rbegin(); frame != frames.rend(); ++frame) {
        (*frame)->raise();
    }

    m_command1 = new QPushButton(QStringLiteral("OK"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setGeometry(twipsRect(810, 2160, 795, 285));
    m_command1->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: black;"
                                             " border: 2px outset %1; }"
                                             "QPushButton:pressed { border-style: inset; }")
                                  .arg(toQColor(kestrava::colours::okGreen).name()));
    // A push button outside a dialog takes only Space; auto-default makes
    // Enter press it as well.
    m_command1->setAutoDefault(true);
    m_command1->setFocus();
    connect(m_command1, &QPushButton::clicked, this, &KSReport::Command1_Click);
}

void KSReport::setCaption(Value value, const QString& caption) {
    m_values[static_cast<std::size_t>(value)]->setText(caption);
}

void KSReport::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        keepOffTaskbar(*this);
    }
    QWidget::showEvent(event);
}

void KSReport::Command1_Click() {
    close();
}
