#include "config/KConfigDialogBoxes.h"

#include "config/KDlgColumns.h"
#include "config/KDlgFields.h"
#include "config/KDlgMembertypes.h"
#include "config/KDlgTabs.h"
#include "config/KSettings.h"

std::optional<KTabNames::Entries> KConfigDialogBoxes::editTabs(
    const KTabNames::Entries& entries) {
    KDlgTabs dialog(m_questions, m_parent);
    dialog.setEntries(entries);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.entries();
}

bool KConfigDialogBoxes::editFields(KFieldSetup& setup) {
    KDlgFields dialog(setup, m_questions, m_parent);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<std::vector<std::string>> KConfigDialogBoxes::editMemberTypes(
    const std::vector<std::string>& names) {
    KDlgMembertypes dialog(m_questions, m_parent);
    dialog.setNames(names);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.names();
}

std::optional<std::vector<std::string>> KConfigDialogBoxes::editColumns(
    const KColumnChoice& choice) {
    KDlgColumns dialog(m_parent);
    dialog.setChoice(choice);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice().shown;
}

std::optional<KSettingsResult> KConfigDialogBoxes::editSettings(const KGeneralSettings& general,
                                                                const std::string& dateFormat,
                                                                const IncassoSettings& incasso,
                                                                const QStringList& fieldLabels) {
    KSettings sheet(m_parent);
    sheet.setQuestions(&m_questions);
    sheet.setGeneral(general);
    sheet.setDateFormat(dateFormat);
    sheet.setIncasso(incasso, fieldLabels);
    if (sheet.exec() != QDialog::Accepted)
        return std::nullopt;
    return KSettingsResult{sheet.general(), sheet.dateFormat(), sheet.incasso()};
}
