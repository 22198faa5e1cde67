#include "statement/KStatementWindows.h"

#include "core/settings/Settings.h"
#include "core/statement/KStatementFile.h"
#include "statement/KDlgStatement.h"
#include "tolvex7/FileUtils.h"

#include <QFileDialog>

QString KStatementWindows::statementFile() {
    QFileDialog dialog(m_parent, QStringLiteral("Bankafschrift inlezen"), Settings::dataFolder());
    prepareFileDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(KStatementFile::fileFilters());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool KStatementWindows::review(KStatementReview& review) {
    KDlgStatement dialog(review, m_parent);
    return dialog.exec() == QDialog::Accepted;
}
