#pragma once

#include "core/member/KChargeEdit.h"
#include "member/KSpecCharDialog.h"

#include <functional>
#include <vector>

class KFocusEdit;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QWidget;

// "Te Betalen bedrag": one charge, its parts with their amounts, the total that follows every
// amount typed, a new part ("Nieuw onderdeel") and the remarks. Every part is shown; past the
// twentieth the parts scroll. Amounts are read as people type them ("12,50"); a part whose
// amount is typed as 0 goes on OK, a negative one is a discount and stays. OK is refused, with a
// message, while an amount does not read; that amount gets the focus. The amount fields offer
// the special characters too.
class KDlgCharge : public KSpecCharDialog {
    Q_OBJECT

public:
    explicit KDlgCharge(const KCharge& start, QWidget* parent = nullptr);

    // The charge as the dialog holds it; after OK with what the user entered.
    const KCharge& charge() const { return m_edit.charge(); }

    // The messages of a refused part; a message box unless set otherwise.
    void setMessenger(std::function<void(const QString&)> messenger) {
        m_messenger = std::move(messenger);
    }

    int partCount() const { return static_cast<int>(m_partAmounts.size()); }
    QLabel* partLabel(int i) const { return m_partLabels[static_cast<std::size_t>(i)]; }
    QLineEdit* partAmount(int i) const { return m_partAmounts[static_cast<std::size_t>(i)]; }
    QString totalText() const;
    QString descriptionText() const;
    KFocusEdit* remarksEdit() const { return m_remarks; }
    QLineEdit* newPartName() const { return m_newName; }
    QLineEdit* newPartAmount() const { return m_newAmount; }
    QPushButton* addPartButton() const { return m_addPart; }

    // "Toevoegen" of the new part.
    void addPart();
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // False, after telling the user why, when an amount does not read.
    bool collect();
    void buildParts();
    void showTotal();

    KChargeEdit m_edit;
    std::function<void(const QString&)> m_messenger;
    QLabel* m_description = nullptr;
    QScrollArea* m_partsArea = nullptr;
    QWidget* m_parts = nullptr;
    std::vector<QLabel*> m_partLabels;
    std::vector<QLineEdit*> m_partAmounts;
    QLabel* m_total = nullptr;
    KFocusEdit* m_remarks = nullptr;
    QLineEdit* m_newName = nullptr;
    QLineEdit* m_newAmount = nullptr;
    QPushButton* m_addPart = nullptr;
    QPushButton* m_ok = nullptr;
};
