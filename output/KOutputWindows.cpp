#include "output/KOutputWindows.h"

#include "progress/KProgressWindow.h"
#include "components/support/QtDutch.h"
#include "output/KDlgExport.h"
#include "platform/CodePage.h"
#include "tolvex7/FileUtils.h"

#include <QApplication>
#include <QDir>
#include <QFontDialog>
#include <QMessageBox>

namespace {

// The profile has always held a face name of at most 99 characters.
constexpr std::size_t kLongestName = 99;

} // namespace

KOutputWindows::KOutputWindows(QWidget* mainWindow)
    : m_window(mainWindow), m_progress(std::make_unique<KProgressWindow>()) {}

KOutputWindows::~KOutputWindows() = default;

bool KOutputWindows::runExport(const std::vector<std::string>& items,
                               const std::function<bool(const MemberExport::Choice&)>& exportNow) {
    KDlgExport dialog(m_window);
    dialog.setItems(items);
    dialog.setExporter(exportNow);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> KOutputWindows::exportFile() {
    QtDutch dutch;
    // The text file filter: a description and a pattern, each ended by a zero byte. The path
    // comes back as the platform names it, whatever its characters.
    static const char filter[] = "Tekstbestanden (*.TXT)\0*.TXT\0";
    return selectFilePath("Exporteer informatie", filter, QDir::homePath(), 0);
}

QFont KOutputWindows::toQFont(const MemberGridFont& font) {
    QFont qfont(CodePage::toQString(font.name));
    qfont.setPointSizeF(font.size > 0 ? font.size : MemberGridFont::kDefaultSize);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikethrough);
    return qfont;
}

MemberGridFont KOutputWindows::fromQFont(const QFont& qfont) {
    MemberGridFont font;
    font.name = CodePage::fromQString(qfont.family());
    if (font.name.size() > kLongestName)
        font.name.resize(kLongestName);
    font.size = qfont.pointSizeF() > 0 ? qfont.pointSizeF() : MemberGridFont::kDefaultSize;
    font.bold = qfont.weight() > QFont::Normal;
    font.italic = qfont.italic();
    font.underline = qfont.underline();
    font.strikethrough = qfont.strikeOut();
    return font;
}

std::optional<MemberGridFont> KOutputWindows::chooseFont(const MemberGridFont& current) {
    QtDutch dutch;
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, toQFont(current), m_window,
                                              QStringLiteral("Lettertype van de ledenlijst"));
    if (!ok)
        return std::nullopt;
    return fromQFont(chosen);
}

void KOutputWindows::messageBox(const QString& text) {
    QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Korvel"), text);
}

void KOutputWindows::minimizeMainWindow() {
    m_state = m_window->windowState();
    m_window->showMinimized();
}

void KOutputWindows::restoreMainWindow() {
    m_window->setWindowState((m_state & ~Qt::WindowMinimized) | Qt::WindowActive);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

KProgressReport& KOutputWindows::progress() {
    return *m_progress;
}
