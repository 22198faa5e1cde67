#include "core/incasso/KCreditorCheck.h"

#include "core/incasso/Iban.h"

namespace KCreditorCheck {

QString problem(const IncassoSettings& settings, bool complete) {
    const QString name = settings.creditorName.trimmed();
    if (complete && name.isEmpty())
        return QStringLiteral("De naam van de vereniging als incassant is niet ingevuld "
                              "(Instellingen, pagina Incasso).");
    if (name.size() > kNameLength)
        return QStringLiteral("De naam van de vereniging heeft %1 tekens; de bank neemt er "
                              "hoogstens %2.")
            .arg(name.size())
            .arg(kNameLength);

    const QString iban = Iban::normalized(settings.creditorIban);
    if (complete || !iban.isEmpty()) {
        if (const Iban::Problem p = Iban::check(iban); p != Iban::Problem::None)
            return QStringLiteral("IBAN van de vereniging: ") + Iban::problemText(p, iban);
    }
    const QString bic = Iban::normalized(settings.creditorBic);
    if (!bic.isEmpty() && !Iban::isValidBic(bic))
        return QStringLiteral("De BIC %1 van de vereniging klopt niet: een BIC heeft 8 of 11 "
                              "letters en cijfers, zoals RABONL2U. Laat het veld leeg als u "
                              "hem niet weet.")
            .arg(bic);
    const QString id = Iban::normalized(settings.creditorId);
    if (complete || !id.isEmpty()) {
        if (const Iban::Problem p = Iban::checkCreditorId(id); p != Iban::Problem::None)
            return Iban::creditorIdProblemText(p, id);
    }
    return {};
}

} // namespace KCreditorCheck
