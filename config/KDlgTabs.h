#pragma once

#include "config/KNameListDialog.h"

// "Rubrieken": the names of the tabs in their order. A change that would make a name twice is
// refused, since two tabs of one name would become one on OK.
class KDlgTabs : public KNameListDialog {
    Q_OBJECT

public:
    explicit KDlgTabs(KQuestions& questions, QWidget* parent = nullptr);

private:
    void addName() override;
    void changeName() override;
    void deleteName() override;
};
