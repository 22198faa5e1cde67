#include "core/import/KImportProposal.h"

#include "core/format/TypedNumber.h"
#include "core/import/KImportTable.h"
#include "platform/CodePage.h"

#include <QRegularExpression>

namespace {

// How well a title names a label: 3 equal, 2 one starts with the other, 1 the shorter is an
// abbreviation of the longer (its letters in order, the first three the same), 0 not at all.
int score(const QString& title, const QString& label) {
    if (title.isEmpty() || label.isEmpty())
        return 0;
    if (title == label)
        return 3;
    const QString& shorter = title.size() < label.size() ? title : label;
    const QString& longer = title.size() < label.size() ? label : title;
    if (shorter.size() < 3)
        return 0;
    if (longer.startsWith(shorter))
        return 2;
    if (!longer.startsWith(shorter.left(3)))
        return 0;
    qsizetype at = 0;
    for (const QChar c : shorter) {
        at = longer.indexOf(c, at);
        if (at < 0)
            return 0;
        ++at;
    }
    return 1;
}

const KField* nameField(const KFieldList& fields) {
    return fields.findFirst([](const KField& f) { return f.meaning() == FieldMeaning::Name; });
}

// Three numbers as a date writes them.
const QRegularExpression& dateNumbers() {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*(\d{1,4})\s*[-/. ]\s*(\d{1,2})\s*[-/. ]\s*(\d{1,4})\b)"));
    return pattern;
}

bool looksLikeValue(const KImportCell& cell) {
    if (cell.kind == KImportCell::Kind::Number || cell.kind == KImportCell::Kind::Date)
        return true;
    const QString text = cell.text.trimmed();
    return !text.isEmpty() &&
           (TypedNumber::read(text).has_value() || dateNumbers().match(text).hasMatch());
}

} // namespace

namespace KImportProposal {

QString fold(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.isLetterOrNumber())
            folded += c.toLower();
    return folded;
}

std::optional<int> namePart(const QString& title) {
    static const QStringList first = {
        QStringLiteral("voornaam"),   QStringLiteral("voornamen"),   QStringLiteral("roepnaam"),
        QStringLiteral("voorletters"), QStringLiteral("voorletter"), QStringLiteral("initialen")};
    static const QStringList middle = {
        QStringLiteral("tussenvoegsel"), QStringLiteral("tussenvoegsels"), QStringLiteral("tussenv"),
        QStringLiteral("voorvoegsel"), QStringLiteral("voorvoegsels")};
    static const QStringList last = {QStringLiteral("achternaam"), QStringLiteral("achternamen"),
                                     QStringLiteral("familienaam")};
    const QString folded = fold(title);
    if (first.contains(folded))
        return 0;
    if (middle.contains(folded))
        return 1;
    if (last.contains(folded))
        return 2;
    return std::nullopt;
}

std::optional<std::int32_t> fieldFor(const QString& title, const KFieldList& fields) {
    const QString folded = fold(title);
    int best = 0;
    const KField* found = nullptr;
    bool tied = false;
    for (const KField& field : fields) {
        const QString label = fold(CodePage::toQString(field.label()));
        const int s = score(folded, label);
        if (s > best) {
            best = s;
            found = &field;
            tied = false;
        } else if (s == best && s > 0 && label != fold(CodePage::toQString(found->label()))) {
            tied = true;
        }
    }
    if (best < 3 && namePart(title)) {
        if (const KField* name = nameField(fields))
            return name->id();
    }
    if (!found || tied)
        return std::nullopt;
    return found->id();
}

bool firstRowHoldsTitles(const KImportTable& table, const KFieldList& fields) {
    if (table.rowCount() < 2)
        return false;
    bool allTexts = true;
    bool valuesBelow = false;
    for (int col = 0; col < table.columnCount(); ++col) {
        const KImportCell& top = table.cell(0, col);
        if (top.isBlank())
            continue;
        if (fieldFor(top.shownText(), fields))
            return true;
        if (top.kind != KImportCell::Kind::Text || looksLikeValue(top)) {
            allTexts = false;
            continue;
        }
        const int below = std::min(table.rowCount(), KImportTable::kPreviewRows);
        for (int row = 1; row < below && !valuesBelow; ++row)
            valuesBelow = looksLikeValue(table.cell(row, col));
    }
    return allTexts && valuesBelow;
}

QString columnTitle(const KImportTable& table, int col, bool firstRowTitles) {
    if (firstRowTitles) {
        const QString title = table.cell(0, col).shownText().simplified();
        if (!title.isEmpty())
            return title;
    }
    return QStringLiteral("Kolom %1").arg(col + 1);
}

KImportMapping propose(const KImportTable& table, const KFieldList& fields, bool firstRowTitles) {
    KImportMapping mapping;
    mapping.firstRowTitles = firstRowTitles;
    mapping.columns.assign(static_cast<std::size_t>(table.columnCount()),
                           KImportMapping::Target::skip());
    if (firstRowTitles) {
        for (int col = 0; col < table.columnCount(); ++col)
            if (const auto id = fieldFor(columnTitle(table, col, true), fields))
                mapping.columns[static_cast<std::size_t>(col)] = KImportMapping::Target::field(*id);
    }
    mapping.dateOrder = proposeDateOrder(table, mapping, fields);
    return mapping;
}

DateOrder proposeDateOrder(const KImportTable& table, const KImportMapping& mapping,
                           const KFieldList& fields) {
    int dates = 0, yearFirst = 0, firstAbove12 = 0, secondAbove12 = 0;
    for (std::size_t col = 0; col < mapping.columns.size(); ++col) {
        const KImportMapping::Target& target = mapping.columns[col];
        if (target.kind != KImportMapping::Target::Kind::Field)
            continue;
        const KField* field =
            fields.findFirst([&](const KField& f) { return f.id() == target.fieldId; });
        if (!field || field->type() != FieldType::Date)
            continue;
        for (int row = mapping.firstRowTitles ? 1 : 0; row < table.rowCount(); ++row) {
            const KImportCell& cell = table.cell(row, static_cast<int>(col));
            if (cell.kind != KImportCell::Kind::Text)
                continue;
            const QRegularExpressionMatch match = dateNumbers().match(cell.text);
            if (!match.hasMatch())
                continue;
            ++dates;
            if (match.capturedLength(1) == 4)
                ++yearFirst;
            else if (match.captured(1).toInt() > 12)
                ++firstAbove12;
            else if (match.captured(2).toInt() > 12)
                ++secondAbove12;
        }
    }
    if (dates > 0 && yearFirst == dates)
        return DateOrder::YearMonthDay;
    if (secondAbove12 > 0 && firstAbove12 == 0)
        return DateOrder::MonthDayYear;
    return DateOrder::DayMonthYear;
}

} // namespace KImportProposal
