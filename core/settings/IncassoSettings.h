#pragma once

#include <QString>

// The club's own bank data as creditor of direct debits, and which member fields hold each
// debtor's data: profile section "Incasso". Field labels are Windows-1252 texts shown as they
// are; an empty label means the default one.
struct IncassoSettings {
    enum class Format { Pain00800108, Pain00800102 };

    QString creditorName; // at most 70 characters
    QString creditorIban;
    QString creditorBic; // may stay empty
    QString creditorId;  // the Incassant-ID, e.g. NL79ZZZ999999990000
    QString ibanField;
    QString bicField;
    QString mandateField;
    QString mandateDateField;
    QString firstField;
    Format format = Format::Pain00800108;

    // The labels used when none was chosen.
    static QString defaultIbanField() { return QStringLiteral("IBAN"); }
    static QString defaultBicField() { return QStringLiteral("BIC"); }
    static QString defaultMandateField() { return QStringLiteral("Machtigingskenmerk"); }
    static QString defaultMandateDateField() { return QStringLiteral("Datum machtiging"); }
    static QString defaultFirstField() { return QStringLiteral("Eerste incasso"); }

    // The chosen label, or the default.
    QString ibanLabel() const { return ibanField.isEmpty() ? defaultIbanField() : ibanField; }
    QString bicLabel() const { return bicField.isEmpty() ? defaultBicField() : bicField; }
    QString mandateLabel() const {
        return mandateField.isEmpty() ? defaultMandateField() : mandateField;
    }
    QString mandateDateLabel() const {
        return mandateDateField.isEmpty() ? defaultMandateDateField() : mandateDateField;
    }
    QString firstLabel() const { return firstField.isEmpty() ? defaultFirstField() : firstField; }

    bool operator==(const IncassoSettings&) const = default;
};
