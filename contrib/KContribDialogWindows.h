#pragma once

#include "contrib/KContribDialogs.h"

class KQuestions;
class QWidget;

// The contribution commands' windows as the program shows them.
class KContribDialogWindows : public KContribDialogs {
public:
    KContribDialogWindows(QWidget* parent, KQuestions& questions)
        : m_parent(parent), m_questions(questions) {}

    bool editScheme(KSchemeEditor& editor) override;
    std::optional<std::vector<std::int32_t>>
    chooseMembers(const std::string& schemeDescription,
                  const std::vector<KExecution::Row>& rows) override;
    void showOverview(const KOverview& overview,
                      const std::function<void(int row, int col)>& cellChosen) override;
    std::unique_ptr<KProgressReport> progress() override;

private:
    QWidget* m_parent;
    KQuestions& m_questions;
};
