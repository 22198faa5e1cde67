#pragma once

#include "config/KNameListDialog.h"

// "Soorten leden": the member types in their order. Names are changed in place; an empty name
// is refused with a message.
class KDlgMembertypes : public KNameListDialog {
    Q_OBJECT

public:
    explicit KDlgMembertypes(KQuestions& questions, QWidget* parent = nullptr);

private:
    void addName() override;
    void changeName() override;
    void deleteName() override;
};
