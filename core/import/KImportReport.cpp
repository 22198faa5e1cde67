#include "core/import/KImportReport.h"

const char* KImportReport::code(Reason reason) {
    switch (reason) {
    case Reason::Duplicate:
        return "duplicate";
    case Reason::Empty:
        return "empty";
    case Reason::Unreadable:
        return "unreadable";
    }
    return "";
}

QString KImportReport::summary() const {
    auto members = [](std::size_t n) {
        return n == 1 ? QStringLiteral("1 lid") : QStringLiteral("%1 leden").arg(n);
    };
    auto rows = [](std::size_t n) {
        return n == 1 ? QStringLiteral("1 rij") : QStringLiteral("%1 rijen").arg(n);
    };
    QString text = QStringLiteral("%1 toegevoegd, %2 bijgewerkt, %3 overgeslagen.")
                       .arg(members(added), members(updated), rows(skipped.size()));
    if (!newFields.isEmpty())
        text += QStringLiteral(" Nieuwe velden: %1.").arg(newFields.join(QStringLiteral(", ")));
    if (!newMemberTypes.isEmpty())
        text += QStringLiteral(" Nieuwe soorten lid: %1.")
                    .arg(newMemberTypes.join(QStringLiteral(", ")));
    if (!replaced.empty())
        text += QStringLiteral(" In %1 zijn tekens vervangen door de dichtstbijzijnde letter.")
                    .arg(replaced.size() == 1 ? QStringLiteral("1 tekst")
                                              : QStringLiteral("%1 teksten").arg(replaced.size()));
    return text;
}

QStringList KImportReport::details() const {
    QStringList lines;
    for (const Skipped& s : skipped)
        lines.append(QStringLiteral("Rij %1 overgeslagen: %2").arg(s.row).arg(s.detail));
    for (const Replaced& r : replaced)
        lines.append(QStringLiteral("Rij %1, kolom %2: \"%3\" is bewaard als \"%4\".")
                         .arg(r.row)
                         .arg(r.column, r.text, r.stored));
    return lines;
}
