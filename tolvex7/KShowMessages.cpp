#include "tolvex7/KShowMessages.h"

#include "platform/CodePage.h"
#include "tolvex7/DialogGeometry.h"
#include "tolvex7/ListContentSize.h"
#include "tolvex7/Messages.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <ctime>

namespace {

// The dialog's size before it grows for its lines.
constexpr int kWidth = 177;
constexpr int kHeight = 146;

} // namespace

KShowMessages::KShowMessages(const std::vector<std::string>& lines, const char* caption,
                             QWidget* parent)
    : QDialog(parent), m_lines(lines) {
    setWindowTitle(CodePage::toQString(caption ? caption : ""));
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    auto* clipboard = new QPushButton(QStringLiteral("&Clipboard"), this);
    auto* editor = new QPushButton(QStringLiteral("&Kladblok"), this);
    buttons->addWidget(clipboard);
    buttons->addWidget(editor);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    m_list = new QListWidget(this);
    m_list->setUniformItemSizes(true);
    for (const std::string& line : m_lines)
        m_list->addItem(CodePage::toQString(line));
    layout->addWidget(m_list, 1);
    resize(kWidth, kHeight);
    connect(clipboard, &QPushButton::clicked, this, &KShowMessages::copyToClipboard);
    connect(editor, &QPushButton::clicked, this, &KShowMessages::openInEditor);
}

void KShowMessages::setVisible(bool visible) {
    // Sized before the dialog places itself, so that it is centred at its final size.
    if (visible && !m_fitted)
        fitToContents();
    QDialog::setVisible(visible);
}

void KShowMessages::fitToContents() {
    m_fitted = true;
    ensurePolished();
    m_list->ensurePolished();
    const QSize screen =
        this->screen() ? this->screen()->availableGeometry().size() : QSize(kWidth, kHeight);
    const QSize list = DialogGeometry::messagesListSize(listContentSize(*m_list), screen);
    // Around the list: the dialog's margins and the row of buttons above it.
    const QMargins margins = layout()->contentsMargins();
    const int buttons = layout()->itemAt(0)->sizeHint().height() + layout()->spacing();
    const QSize dialog(std::max({list.width() + margins.left() + margins.right(),
                                 layout()->minimumSize().width(), kWidth}),
                       qMax(list.height() + margins.top() + margins.bottom() + buttons, kHeight));
    resize(dialog.boundedTo(screen));
}

QString KShowMessages::clipboardText() const {
    QString text;
    for (const std::string& line : m_lines)
        text += CodePage::toQString(line) + QStringLiteral("\r\n");
    return text;
}

void KShowMessages::copyToClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        Alert("Kan clipboard niet openen.");
        return;
    }
    if (m_lines.empty())
        return;
    clipboard->setText(clipboardText());
}

QString KShowMessages::writeTextFile(const QString& folder) const {
    if (m_lines.empty())
        return {};
    const QString path =
        QDir(folder).filePath(QStringLiteral("%1.txt").arg(static_cast<long>(std::clock())));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return {};
    for (const std::string& line : m_lines) {
        file.write(CodePage::toUtf8(line).c_str());
        file.write("\n");
    }
    return file.error() == QFileDevice::NoError ? path : QString();
}

void KShowMessages::openInEditor() {
    if (m_lines.empty())
        return;
    const QString path = writeTextFile(QDir::tempPath());
    if (path.isEmpty()) {
        Alert("Kan geen tijdelijk bestand maken in %s.",
              CodePage::fromQString(QDir::toNativeSeparators(QDir::tempPath())).c_str());
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void ShowMessages(const std::vector<std::string>* lines, const char* caption, int beep) {
    static const std::vector<std::string> none;
    KShowMessages dialog(lines ? *lines : none, caption);
    if (beep) {
        // The platform offers no tones of a chosen pitch; two beeps stand in for them.
        QApplication::beep();
        QApplication::beep();
    }
    dialog.exec();
}
