#include "exchange/KExchangeWindows.h"

#include "components/support/QtDutch.h"
#include "core/settings/Settings.h"
#include "exchange/KDlgImport.h"
#include "exchange/KDlgImportResult.h"
#include "progress/KProgressWindow.h"
#include "view/KCommandHost.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>

KExchangeWindows::KExchangeWindows(KCommandHost& host)
    : m_window(host.window()), m_progress(std::make_unique<KProgressWindow>()) {
    QClipboard* clipboard = QApplication::clipboard();
    m_clipboardHasText = !clipboard->text().trimmed().isEmpty();
    QObject::connect(clipboard, &QClipboard::dataChanged, m_window, [this, clipboard, &host] {
        m_clipboardHasText = !clipboard->text().trimmed().isEmpty();
        host.refreshCommandStates();
    });
}

KExchangeWindows::~KExchangeWindows() = default;

std::optional<QString> KExchangeWindows::importFile() {
    QtDutch dutch;
    const QString path = QFileDialog::getOpenFileName(
        m_window, QStringLiteral("Importeren"), Settings::dataFolder(),
        QStringLiteral("Ledenlijsten (*.xlsx *.ods *.csv *.txt);;Excel-werkmappen (*.xlsx);;"
                       "OpenDocument-rekenbladen (*.ods);;CSV-bestanden (*.csv *.txt);;"
                       "Alle bestanden (*)"));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<KImportMapping> KExchangeWindows::mapColumns(const KImportSetup& setup) {
    KDlgImport dialog(m_window);
    dialog.setSetup(setup);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.mapping();
}

void KExchangeWindows::showResult(const KImportReport& report) {
    KDlgImportResult dialog(report, m_window);
    dialog.exec();
}

std::optional<QString> KExchangeWindows::excelFile() {
    QtDutch dutch;
    const QString path = QFileDialog::getSaveFileName(
        m_window, QStringLiteral("Exporteren naar Excel"),
        QDir(Settings::dataFolder()).filePath(QStringLiteral("leden.xlsx")),
        QStringLiteral("Excel-werkmappen (*.xlsx)"));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

QString KExchangeWindows::clipboardText() {
    return QApplication::clipboard()->text();
}

KProgressReport& KExchangeWindows::progress() {
    return *m_progress;
}
