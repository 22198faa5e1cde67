#include "contrib/KProgressWindow.h"

#include <QProgressDialog>

#include <algorithm>

namespace {

// A progress bar counts in int; long work is scaled to this many steps.
constexpr int kSteps = 1000;

} // namespace

KProgressWindow::KProgressWindow(QWidget* parent)
    : m_dialog(std::make_unique<QProgressDialog>(parent)) {
    m_dialog->setWindowTitle(QStringLiteral("Voortgang"));
    m_dialog->setCancelButtonText(QStringLiteral("&Stop"));
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(500);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setRange(0, kSteps);
    m_dialog->reset();
}

KProgressWindow::~KProgressWindow() = default;

void KProgressWindow::start(const QString& text, std::int64_t total) {
    m_total = total;
    m_dialog->setLabelText(text);
    if (total > 0)
        m_dialog->setRange(0, kSteps);
    else
        m_dialog->setRange(0, 0);
    m_dialog->setValue(0);
}

bool KProgressWindow::advance(std::int64_t done) {
    if (m_total > 0)
        m_dialog->setValue(static_cast<int>(std::clamp<std::int64_t>(done * kSteps / m_total, 0, kSteps)));
    else
        m_dialog->setValue(0);
    return !m_dialog->wasCanceled();
}

void KProgressWindow::finish() {
    m_dialog->reset();
    m_dialog->hide();
}
