#include "tolvex7/KShowMessages.h"

#include "platform/CodePage.h"
#include "tolvex7/DialogGeometry.h"
#include "tolvex7/Messages.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include <ctime>

KShowMessages::KShowMessages(const std::vector<std::string>& lines, const char* caption,
                             QWidget* parent)
    : QDialog(parent), m_lines(lines) {
    setWindowTitle(CodePage::toQString(caption ? caption : ""));
    resize(177, 146);
    auto* clipboard = new QPushButton(QStringLiteral("&Clipboard"), this);
    clipboard->setGeometry(9, 10, 72, 23);
    auto* editor = new QPushButton(QStringLiteral("&Kladblok"), this);
    editor->setGeometry(90, 10, 72, 23);
    m_list = new QListWidget(this);
    m_list->setGeometry(9, 39, 162, 97);
    connect(clipboard, &QPushButton::clicked, this, &KShowMessages::copyToClipboard);
    connect(editor, &QPushButton::clicked, this, &KShowMessages::openInEditor);

    m_width = width();
    m_height = height();
    for (const std::string& line : m_lines) {
        m_list->addItem(CodePage::toQString(line));
        m_longest = std::max(m_longest, static_cast<int>(line.size()));
    }
}

void KShowMessages::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_widened && DialogGeometry::messagesNeedWidening(m_width, m_longest))
        QTimer::singleShot(10, this, &KShowMessages::widen);
}

void KShowMessages::widen() {
    m_widened = true;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const auto size =
        DialogGeometry::messagesSize(m_longest, static_cast<int>(m_lines.size()), area.size());
    resize(size.dialog);
    move(area.topLeft() + QPoint((area.width() - size.dialog.width()) / 2,
                                 (area.height() - size.dialog.height()) / 2));
    m_list->resize(size.list);
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
