#pragma once

#include "core/settings/IncassoSettings.h"

#include <QStringList>
#include <QWidget>

class QComboBox;
class QLineEdit;

// The page "Incasso" of the settings sheet: the club's own bank data as creditor of direct
// debits, which member fields hold each debtor's data, and the version of the bank file.
class KSetIncasso : public QWidget {
    Q_OBJECT

public:
    explicit KSetIncasso(QWidget* parent = nullptr);

    // The stored values, and the labels of the document's fields to choose from.
    void setValues(const IncassoSettings& values, const QStringList& fieldLabels);
    // As the controls show them.
    IncassoSettings values() const;
    // Why the page cannot be left as it is, in Dutch; empty when it can.
    QString problem() const;
    // Whether the page has been shown; only then does OK store its values.
    bool opened() const { return m_opened; }

    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* ibanEdit() const { return m_iban; }
    QLineEdit* bicEdit() const { return m_bic; }
    QLineEdit* creditorIdEdit() const { return m_creditorId; }
    QComboBox* ibanFieldBox() const { return m_ibanField; }
    QComboBox* bicFieldBox() const { return m_bicField; }
    QComboBox* mandateFieldBox() const { return m_mandateField; }
    QComboBox* mandateDateFieldBox() const { return m_mandateDateField; }
    QComboBox* firstFieldBox() const { return m_firstField; }
    QComboBox* formatBox() const { return m_format; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build();
    // The labels to choose from, with the chosen one (or the default) selected.
    static void fill(QComboBox* box, const QStringList& labels, const QString& chosen);
    static QString chosen(const QComboBox* box);

    QLineEdit* m_name = nullptr;
    QLineEdit* m_iban = nullptr;
    QLineEdit* m_bic = nullptr;
    QLineEdit* m_creditorId = nullptr;
    QComboBox* m_ibanField = nullptr;
    QComboBox* m_bicField = nullptr;
    QComboBox* m_mandateField = nullptr;
    QComboBox* m_mandateDateField = nullptr;
    QComboBox* m_firstField = nullptr;
    QComboBox* m_format = nullptr;
    bool m_opened = false;
};
