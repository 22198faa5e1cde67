#include "core/import/KImportSetup.h"

#include "core/document/CKorvelDoc.h"
#include "core/import/KImportProposal.h"
#include "core/import/KImportTable.h"
#include "platform/CodePage.h"

#include <algorithm>

KImportSetup KImportSetup::make(const CKorvelDoc& doc, const KImportTable& table, QString source) {
    KImportSetup setup;
    setup.source = std::move(source);
    setup.rowCount = table.rowCount();
    setup.columnCount = table.columnCount();
    const int shown = std::min(table.rowCount(), KImportTable::kPreviewRows);
    for (int row = 0; row < shown; ++row) {
        std::vector<QString> cells;
        for (int col = 0; col < table.columnCount(); ++col)
            cells.push_back(table.cell(row, col).shownText());
        setup.preview.push_back(std::move(cells));
        setup.previewRows.push_back(table.sourceRow(row));
    }
    for (const KField& field : doc.fields()) {
        if (field.type() == FieldType::None)
            continue;
        setup.fields.push_back({CodePage::toQString(field.label()), field.id()});
        if (field.meaning() == FieldMeaning::Name && setup.m_nameField == 0)
            setup.m_nameField = field.id();
    }
    std::vector<const KTabDef*> tabs;
    for (const KTabDef& tab : doc.tabs())
        tabs.push_back(&tab);
    std::stable_sort(tabs.begin(), tabs.end(), [](const KTabDef* a, const KTabDef* b) {
        return a->position() < b->position();
    });
    for (const KTabDef* tab : tabs)
        setup.tabs.append(CodePage::toQString(tab->name()));
    setup.firstRowTitles = KImportProposal::firstRowHoldsTitles(table, doc.fields());
    setup.withTitles = KImportProposal::propose(table, doc.fields(), true);
    setup.withoutTitles = KImportProposal::propose(table, doc.fields(), false);
    if (!tabs.empty())
        setup.withTitles.newFieldTab = setup.withoutTitles.newFieldTab = tabs.front()->name();
    return setup;
}

QStringList KImportSetup::titles(bool firstRowTitles) const {
    QStringList out;
    for (int col = 0; col < columnCount; ++col) {
        QString title;
        if (firstRowTitles && !preview.empty())
            title = preview.front()[static_cast<std::size_t>(col)].simplified();
        out.append(title.isEmpty() ? QStringLiteral("Kolom %1").arg(col + 1) : title);
    }
    return out;
}

QString KImportSetup::refusal(const KImportMapping& mapping) const {
    using Kind = KImportMapping::Target::Kind;
    const bool any = std::any_of(mapping.columns.begin(), mapping.columns.end(),
                                 [](const auto& t) { return t.kind != Kind::Skip; });
    if (!any)
        return QStringLiteral("Er wordt geen enkele kolom ingelezen. Kies bij een kolom het veld "
                              "waar zij in komt.");
    const bool named = std::any_of(mapping.columns.begin(), mapping.columns.end(), [&](const auto& t) {
        return t.kind == Kind::Field && t.fieldId == m_nameField;
    });
    if (m_nameField != 0 && !named)
        return QStringLiteral("Geen kolom gaat naar het veld met de naam van het lid. Zonder naam "
                              "kan geen lid worden toegevoegd: kies de kolom (of de kolommen) "
                              "met de naam.");
    return {};
}
