#include "components/support/ProgressWindow.h"

#include <QApplication>
#include <QProgressDialog>

#include <algorithm>

namespace {

// A progress bar counts in int; large totals are shown in proportion.
constexpr int kBarSteps = 10000;
constexpr int kShowAfterMs = 400;

} // namespace

ProgressWindow::ProgressWindow(QWidget* parent) : m_parent(parent) {}

ProgressWindow::~ProgressWindow() = default;

void ProgressWindow::start(const QString& text, std::int64_t total) {
    m_total = total;
    m_stopped = false;
    m_dialog = std::make_unique<QProgressDialog>(text, QStringLiteral("&Stoppen"), 0,
                                                 total > 0 ? kBarSteps : 0, m_parent);
    m_dialog->setWindowTitle(QStringLiteral("Korvel"));
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setMinimumDuration(kShowAfterMs);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    m_dialog->setMinimumWidth(m_dialog->fontMetrics().horizontalAdvance(text) + 80);
    m_dialog->setValue(0);
}

bool ProgressWindow::advance(std::int64_t done) {
    if (!m_dialog)
        return true;
    if (m_total > 0) {
        const double part = std::clamp(static_cast<double>(done) / static_cast<double>(m_total), 0.0, 1.0);
        m_dialog->setValue(static_cast<int>(part * kBarSteps));
    }
    QApplication::processEvents();
    if (m_dialog->wasCanceled())
        m_stopped = true;
    return !m_stopped;
}

void ProgressWindow::finish() {
    m_dialog.reset();
}
