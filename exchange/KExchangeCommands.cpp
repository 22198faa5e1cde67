#include "exchange/KExchangeCommands.h"

#include "core/KProgressReport.h"
#include "core/KQuestions.h"
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/format/Numbers.h"
#include "core/import/KCsvReader.h"
#include "core/import/KImportRun.h"
#include "core/import/KImportSetup.h"
#include "core/import/KImportTable.h"
#include "core/import/KTableFile.h"
#include "core/import/KXlsxExport.h"
#include "core/model/DefaultConfiguration.h"
#include "core/table/MemberColumns.h"
#include "exchange/KExchangeDialogs.h"
#include "exchange/KExchangeWindows.h"
#include "grid/CvsFlexGrid.h"
#include "platform/CodePage.h"
#include "res/Commands.h"
#include "view/KMainView.h"

#include <QDir>
#include <QFileInfo>

KExchangeCommands::KExchangeCommands(KCommandHost& host, std::unique_ptr<KExchangeDialogs> dialogs)
    : m_host(host), m_dialogs(std::move(dialogs)) {
    // A new administration has its fields; only a damaged file leaves none to import into.
    auto hasFields = [&host] { return !host.document().fields().empty(); };
    host.setHandler(Cmd::FileImport, [this] { importFile(); });
    host.setEnabledRule(Cmd::FileImport, hasFields);
    host.setHandler(Cmd::EditPaste, [this] { paste(); });
    host.setEnabledRule(Cmd::EditPaste, [this, hasFields] {
        return hasFields() && m_dialogs->clipboardHasText();
    });
    host.setHandler(Cmd::MemberExportExcel, [this] { exportExcel(); });
}

KExchangeCommands::~KExchangeCommands() = default;

void KExchangeCommands::importFile() {
    const std::optional<QString> path = m_dialogs->importFile();
    if (!path)
        return;
    KTableFile file;
    if (KResult opened = file.open(*path); !opened.isDone()) {
        m_host.questions().alert(opened.reason());
        return;
    }
    int sheet = 0;
    if (file.sheetNames().size() > 1) {
        const std::vector<int> chosen =
            m_host.questions().selectString(file.sheetNames(), QStringLiteral("Kies het werkblad"), false);
        if (chosen.empty())
            return;
        sheet = chosen.front();
    }
    KImportTable table;
    const KResult read = file.read(sheet, table, &m_dialogs->progress());
    if (read.isFailed())
        m_host.questions().alert(read.reason());
    if (!read.isDone())
        return;
    importTable(table, QFileInfo(*path).fileName());
}

void KExchangeCommands::paste() {
    KImportTable table;
    if (KResult read = KCsvReader::readPasted(m_dialogs->clipboardText(), table); !read.isDone()) {
        m_host.questions().alert(read.reason());
        return;
    }
    importTable(table, QStringLiteral("het klembord"));
}

void KExchangeCommands::importTable(const KImportTable& table, const QString& source) {
    CKorvelDoc& doc = m_host.document();
    const std::optional<KImportMapping> mapping =
        m_dialogs->mapColumns(KImportSetup::make(doc, table, source));
    if (!mapping)
        return;
    KImportRun run(doc, table, *mapping);
    if (KResult usable = run.check(); !usable.isDone()) {
        m_host.questions().alert(usable.reason());
        return;
    }
    KQuestions& ask = m_host.questions();

    const std::vector<std::string> unknown = run.unknownMemberTypes();
    if (!unknown.empty()) {
        QStringList names;
        for (const std::string& type : unknown)
            names.append(QStringLiteral("\"%1\"").arg(CodePage::toQString(type)));
        const QString question =
            unknown.size() == 1
                ? QStringLiteral("De soort lid %1 bestaat nog niet. Toevoegen aan de soorten "
                                 "leden?\n\nBij Nee kiest u een soort die er al is.")
                      .arg(names.front())
                : QStringLiteral("De soorten lid %1 bestaan nog niet. Alle toevoegen aan de "
                                 "soorten leden?\n\nBij Nee kiest u voor elk een soort die er al "
                                 "is.")
                      .arg(names.join(QStringLiteral(", ")));
        if (!ask.yesNo(question)) {
            QStringList existing;
            for (const std::string& type : doc.memberTypes())
                existing.append(CodePage::toQString(type));
            for (const std::string& type : unknown) {
                const std::vector<int> chosen = ask.selectString(
                    existing, QStringLiteral("Wijzig \"%1\" in").arg(CodePage::toQString(type)),
                    false);
                if (chosen.empty())
                    return; // nothing is imported
                run.mapMemberType(type, doc.memberTypes().at(static_cast<std::size_t>(chosen.front())));
            }
        }
    }

    if (const std::size_t duplicates = run.duplicateCount()) {
        const QString caption =
            duplicates == 1 ? QStringLiteral("1 rij is een lid dat er al is (zelfde naam en "
                                             "geboortedatum, of zelfde bondsnummer)")
                            : QStringLiteral("%1 rijen zijn een lid dat er al is (zelfde naam en "
                                             "geboortedatum, of zelfde bondsnummer)")
                                  .arg(duplicates);
        const std::vector<int> chosen = ask.selectString(
            {QStringLiteral("Overslaan"),
             QStringLiteral("Het lid bijwerken: de ingelezen kolommen invullen"),
             QStringLiteral("Toch toevoegen als nieuw lid")},
            caption, false);
        if (chosen.empty())
            return;
        run.setDuplicates(chosen.front() == 0   ? KDuplicates::Skip
                          : chosen.front() == 1 ? KDuplicates::Update
                                                : KDuplicates::Add);
    }

    KImportChanges changes;
    KImportReport report;
    const KResult built =
        run.build([&doc] { return doc.handOutId(); }, changes, report, &m_dialogs->progress());
    if (!built.isDone())
        return;
    const std::int32_t first = changes.added.empty() ? 0 : changes.added.front()->id();
    KEdit::importMembers(doc, std::move(changes));
    if (first != 0)
        m_host.mainView().selectMemberRow(first);
    m_dialogs->showResult(report);
}

void KExchangeCommands::exportExcel() {
    const std::vector<int> chosen = m_host.questions().selectString(
        {QStringLiteral("De kolommen van de ledenlijst"), QStringLiteral("Alle velden")},
        QStringLiteral("Exporteren naar Excel"), false);
    if (chosen.empty())
        return;
    std::optional<QString> path = m_dialogs->excelFile();
    if (!path)
        return;
    if (QFileInfo(*path).suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) != 0)
        *path += QStringLiteral(".xlsx");

    const CKorvelDoc& doc = m_host.document();
    std::vector<KXlsxExport::Column> columns;
    if (chosen.front() == 1) {
        columns = KXlsxExport::allFields(doc);
    } else {
        std::string list = MemberColumns::profileValue();
        if (list.empty())
            list = kDefaultColumnList;
        columns = KXlsxExport::gridColumns(doc, list);
    }
    // The members in the order the grid shows them.
    const CvsFlexGrid& grid = m_host.mainView().grid();
    std::vector<std::int32_t> ids;
    for (int row = grid.fixedRowCount(); row < grid.rowCount(); ++row)
        ids.push_back(Numbers::leadingLong(grid.cellText(row, 0)));
    const KResult written = KXlsxExport::write(*path, doc, columns, ids, &m_dialogs->progress());
    if (written.isFailed())
        m_host.questions().alert(written.reason());
    else if (written.isDone())
        m_host.questions().alert(
            QStringLiteral("De leden zijn opgeslagen in %1").arg(QDir::toNativeSeparators(*path)));
}

std::unique_ptr<KAreaCommands> makeExchangeCommands(KCommandHost& host) {
    return std::make_unique<KExchangeCommands>(host, std::make_unique<KExchangeWindows>(host));
}
