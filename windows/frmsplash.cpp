#include "frmsplash.h"

#include "colour.h"
#include "fonts.h"
#include "programicon.h"
#include "qtcolour.h"
#include "skiptaskbar.h"
#include "twips.h"
#include "version.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int borderWidth = 1; // the thin border around the client area

// The version label stays right-aligned on this edge when its text changes.
constexpr int versionRight = 3570 + 885;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry,
                  double pointSize) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(msPGothic(pointSize, true));
    return label;
}

// Labels that size themselves to their text, keeping their top-left corner.
void fitToText(QLabel* label) {
    label->resize(label->sizeHint());
}

} // namespace

frmSplash::frmSplash(const TimerSource& timers)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The main window is on screen before the splash closes; the splash itself
    // never ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    const QSize client(twipsToPixels(5565), twipsToPixels(1485));
    setFixedSize(client + QSize(2 * borderWidth, 2 * borderWidth));

    const QColor black = toQColor(kestrava::colours::black);
    const QColor lightGreen = toQColor(kestrava::colours::lightGreen);

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setGeometry(QRect(QPoint(borderWidth, borderWidth), client));
    QPalette clientColours = m_client->palette();
    clientColours.setColor(QPalette::Window, lightGreen);
    m_client->setPalette(clientColours);
    m_client->setAutoFillBackground(true);

    m_frame1 = new QWidget(m_client);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setGeometry(twipsRect(30, 30, 4650, 1410));
    QPalette frameColours = m_frame1->palette();
    frameColours.setColor(QPalette::Window, black);
    frameColours.setColor(QPalette::WindowText, lightGreen);
    m_frame1->setPalette(frameColours);
    m_frame1->setAutoFillBackground(true);
    m_frame1->installEventFilter(this);

    auto* imgLogo = new QLabel(m_frame1);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setGeometry(twipsRect(270, 210, 1000, 1000));
    imgLogo->setPixmap(kestrava::programIcon().pixmap(32));
    imgLogo->setScaledContents(true);

    // The title and the version are written by Form_Load.
    m_lblProductName =
        makeLabel(m_frame1, "lblProductName", {}, twipsRect(1530, 270, 2970, 405), 20.25);
    QLabel* company = makeLabel(m_frame1, "lblCompanyProduct", QStringLiteral(KESTRAVA_MAKER),
                                twipsRect(1500, 840, 1035, 240), 12);
    fitToText(company);
    m_lblVersion = makeLabel(m_frame1, "lblVersion", {}, twipsRect(3570, 870, 885, 285), 12);
    m_lblVersion->setAlignment(Qt::AlignRight | Qt::AlignTop);

    // A coarse timer may fire up to 5 % early; the splash promises two seconds.
    m_timer1 = timers(Qt::PreciseTimer, this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    connect(m_timer1, &EngineTimer::timeout, this, &frmSplash::Timer1_Timer);

    Form_Load();

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    move(screen.center() - rect().center());
}

void frmSplash::Form_Load() {
    m_lblVersion->setText(QStringLiteral("version " KESTRAVA_RELEASE));
    fitToText(m_lblVersion);
    m_lblVersion->move(twipsToPixels(versionRight) - m_lblVersion->width(), m_lblVersion->y());

    m_lblProductName->setText(QStringLiteral(KESTRAVA_NAME));
    fitToText(m_lblProductName);

    m_timer1->setInterval(2000);
}

void frmSplash::Form_Unload() {
    m_timer1->setInterval(0);
    emit unloaded();
}

void frmSplash::Timer1_Timer() {
    close();
}

void frmSplash::Frame1_Click() {
    close();
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    // Only keys that type a character: Shift, arrows and function keys have
    // no text.
    if (!event->text().isEmpty()) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmSplash::closeEvent(QCloseEvent* event) {
    // The timer, a key and a click may all arrive at once; only the first
    // unloads.
    if (!m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    event->accept();
}

void frmSplash::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        keepOffTaskbar(*this);
    }
    QWidget::showEvent(event);
}

void frmSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(kestrava::colours::black));
    painter.drawRect(rect());
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
    // Clicks on a label or the logo bubble up to the frame; only one on the
    // frame's bare area counts.
    if (watched == m_frame1 && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        if (mouse->button() == Qt::LeftButton && m_frame1->rect().contains(at) &&
            m_frame1->childAt(at) == nullptr) {
            Frame1_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
