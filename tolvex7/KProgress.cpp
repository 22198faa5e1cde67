#include "tolvex7/KProgress.h"

#include "platform/CodePage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QGridLayout>
#include <QProgressBar>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Times beyond this (99999:59:59) are shown as this: the estimate of an absurd total, or a
// clock that jumped, must not overflow.
constexpr double kMaxSeconds = 99999.0 * 3600 + 59 * 60 + 59;
// Pumping ends when the pump timer fires; this only guards against a timer that cannot fire.
constexpr int kPumpLimitMs = 250;

QString clockText(long seconds) {
    return QString::asprintf("%02ld:%02ld:%02ld", seconds / 3600, seconds % 3600 / 60,
                             seconds % 60);
}

long wholeSeconds(double seconds) {
    if (!(seconds > 0))
        return 0;
    return static_cast<long>(std::min(seconds, kMaxSeconds));
}

// done × 100 / total, truncated, without overflowing for any done and total.
long percentOf(long done, long total) {
    if (done <= LONG_MAX / 100 && done >= LONG_MIN / 100)
        return done * 100 / total;
    const long double percent = static_cast<long double>(done) * 100 / total;
    if (percent >= static_cast<long double>(LONG_MAX))
        return LONG_MAX;
    if (percent <= static_cast<long double>(LONG_MIN))
        return LONG_MIN;
    return static_cast<long>(percent);
}

// The application's main window, which a progress window without parent belongs to.
QWidget* mainWindow() {
    QWidget* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(widget) && widget->isVisible()) {
            found = widget;
            break;
        }
    }
    return found;
}

} // namespace

KProgress::KProgress(const char* info, QWidget* parent, Qt::WindowModality modality)
    : QDialog(parent ? parent : mainWindow()), m_info(CodePage::toQString(info ? info : "")),
      m_clock([] { return std::time(nullptr); }) {
    setWindowTitle(QStringLiteral("Voortgangsrapportage"));
    setModal(false);
    setWindowModality(modality);
    build();
    writeTexts();
    adjustSize();
    const QRect area = parentWidget() ? parentWidget()->window()->frameGeometry()
                       : screen()     ? screen()->availableGeometry()
                                      : QRect();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
    show();
}

KProgress::~KProgress() = default;

void KProgress::build() {
    // Info across the top, the progress below it with a bar that shows it at a glance, then
    // the two times with their labels and "&Stop" to the right of them.
    auto* grid = new QGridLayout(this);
    m_infoLabel = new QLabel(this);
    m_infoLabel->setObjectName(QStringLiteral("info"));
    m_infoLabel->setTextFormat(Qt::PlainText);
    m_infoLabel->setWordWrap(true);
    m_infoLabel->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    m_progressLabel = new QLabel(this);
    m_progressLabel->setObjectName(QStringLiteral("progress"));
    m_progressLabel->setTextFormat(Qt::PlainText);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 1000);
    m_bar->setTextVisible(false);
    auto* elapsedCaption = new QLabel(QStringLiteral("Gebruikte tijd:"), this);
    auto* remainingCaption = new QLabel(QStringLiteral("Nog te doen:"), this);
    m_elapsedLabel = new QLabel(this);
    m_elapsedLabel->setObjectName(QStringLiteral("elapsed"));
    m_remainingLabel = new QLabel(this);
    m_remainingLabel->setObjectName(QStringLiteral("remaining"));
    // Room for a time from the start, so the window does not jump at the first one.
    const int timeWidth = fontMetrics().horizontalAdvance(QStringLiteral("00:00:00"));
    m_elapsedLabel->setMinimumWidth(timeWidth);
    m_remainingLabel->setMinimumWidth(timeWidth);
    m_stopButton = new QPushButton(QStringLiteral("&Stop"), this);
    m_stopButton->setDefault(true);
    connect(m_stopButton, &QPushButton::clicked, this, &KProgress::OnStop);

    grid->addWidget(m_infoLabel, 0, 0, 1, 3);
    grid->addWidget(m_progressLabel, 1, 0, 1, 2);
    grid->addWidget(m_bar, 2, 0, 1, 3);
    grid->addWidget(elapsedCaption, 3, 0);
    grid->addWidget(m_elapsedLabel, 3, 1);
    grid->addWidget(remainingCaption, 4, 0);
    grid->addWidget(m_remainingLabel, 4, 1);
    grid->addWidget(m_stopButton, 3, 2, 2, 1, Qt::AlignVCenter);
    grid->setColumnStretch(1, 1);
    grid->setSizeConstraint(QLayout::SetMinimumSize);
    m_stopButton->setFocus();
}

void KProgress::setClock(Clock clock) {
    m_clock = clock ? std::move(clock) : Clock([] { return std::time(nullptr); });
}

void KProgress::setStart(std::time_t start) {
    m_start = start;
    m_started = true;
}

QString KProgress::info() const {
    return m_infoLabel->text();
}

QString KProgress::progressText() const {
    return m_progressLabel->text();
}

QString KProgress::elapsedText() const {
    return m_elapsedLabel->text();
}

QString KProgress::remainingText() const {
    return m_remainingLabel->text();
}

short KProgress::Show(long done, long total) {
    const std::time_t now = m_clock();
    if (!m_started) {
        m_start = now;
        m_started = true;
    }
    if (total == 0)
        total = 1;
    if (done == 0)
        done = 1;
    m_progress = QString::asprintf("%ld/%ld (%ld%%)", done, total, percentOf(done, total));
    const double part = static_cast<double>(done) / static_cast<double>(total);
    m_perMille = part > 0 ? static_cast<int>(std::min(part, 1.0) * 1000.0) : 0;

    // A clock that went back counts as no time at all.
    const double elapsed = std::max(0.0, std::difftime(now, m_start));
    const QString elapsedText = clockText(wholeSeconds(elapsed));
    if (elapsedText == m_lastElapsed) {
        writeTexts();
        return m_stop;
    }
    m_elapsed = elapsedText;
    m_lastElapsed = elapsedText;
    // More done than the total, or a negative count, leaves nothing to do rather than a
    // negative time.
    const double remaining = elapsed / static_cast<double>(done) * static_cast<double>(total) -
                             elapsed;
    m_remaining = clockText(wholeSeconds(remaining));
    writeTexts();

    const QPointer<KProgress> self(this);
    pump();
    if (!self)
        return 1; // the window went while the events ran: nobody can press Stop any more
    return m_stop;
}

void KProgress::writeTexts() {
    m_infoLabel->setText(m_info);
    m_progressLabel->setText(m_progress);
    m_elapsedLabel->setText(m_elapsed);
    m_remainingLabel->setText(m_remaining);
    m_bar->setValue(m_perMille);
}

void KProgress::pump() {
    ++m_pumps;
    // A zero timer fires once the events that are pending now have been handled; processing
    // until then never waits for events that are not there.
    bool tick = false;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &timer, [&tick] { tick = true; });
    timer.start(0);
    const QDeadlineTimer limit(kPumpLimitMs);
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    } while (!tick && !QCoreApplication::closingDown() && !limit.hasExpired());
}

void KProgress::OnStop() {
    m_stop = 1;
}

void KProgress::closeEvent(QCloseEvent* event) {
    if (event->spontaneous()) {
        // The user closes the window of running work: that asks the work to stop, which
        // then takes the window away.
        event->ignore();
        OnStop();
        return;
    }
    QDialog::closeEvent(event);
}

void KProgress::reject() {
    OnStop();
}
