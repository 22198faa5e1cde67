#pragma once

#include "config/KConfigDialogs.h"

class KQuestions;
class QWidget;

// The configuration's dialogs as the user sees them, modal over the main window.
class KConfigDialogBoxes : public KConfigDialogs {
public:
    KConfigDialogBoxes(QWidget* parent, KQuestions& questions)
        : m_parent(parent), m_questions(questions) {}

    std::optional<KTabNames::Entries> editTabs(const KTabNames::Entries& entries) override;
    bool editFields(KFieldSetup& setup) override;
    std::optional<std::vector<std::string>> editMemberTypes(
        const std::vector<std::string>& names) override;
    std::optional<std::vector<std::string>> editColumns(const KColumnChoice& choice) override;
    std::optional<KSettingsResult> editSettings(const KGeneralSettings& general,
                                                const std::string& dateFormat,
                                                const IncassoSettings& incasso,
                                                const QStringList& fieldLabels) override;

private:
    QWidget* m_parent;
    KQuestions& m_questions;
};
