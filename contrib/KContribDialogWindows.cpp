#include "contrib/KContribDialogWindows.h"

#include "contrib/KContrExec.h"
#include "contrib/KContrOverview.h"
#include "contrib/KDlgContribution.h"
#include "progress/KProgressWindow.h"

bool KContribDialogWindows::editScheme(KSchemeEditor& editor) {
    KDlgContribution dialog(editor, m_questions, m_parent);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<std::vector<std::int32_t>>
KContribDialogWindows::chooseMembers(const std::string& schemeDescription,
                                     const std::vector<KExecution::Row>& rows) {
    KContrExec dialog(schemeDescription, rows, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenMembers();
}

void KContribDialogWindows::showOverview(const KOverview& overview,
                                         const std::function<void(int row, int col)>& cellChosen) {
    KContrOverview dialog(overview, cellChosen, m_parent);
    dialog.exec();
}

std::unique_ptr<KProgressReport> KContribDialogWindows::progress() {
    return std::make_unique<KProgressWindow>(m_parent);
}
