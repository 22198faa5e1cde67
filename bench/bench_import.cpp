#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/format/Clock.h"
#include "core/generate/ClubGenerator.h"
#include "core/import/KImportProposal.h"
#include "core/import/KImportRun.h"
#include "core/import/KImportTable.h"
#include "core/import/KTableFile.h"
#include "core/import/KXlsxExport.h"
#include "core/model/DefaultConfiguration.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <memory>

// Moving a member list in and out: a CSV file of a Dutch spreadsheet (the name in three
// columns, dates as 3-4-2010, ja/nee, a phone number, an address) read into a new
// administration, and a generated club written as an .xlsx workbook.

namespace {

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}

QString csvOf(int rows) {
    const QString path = folder().filePath(QStringLiteral("leden-%1.csv").arg(rows));
    if (QFile::exists(path))
        return path;
    static const char* first[] = {"Jan", "Anna", "Piet", "Els", "Karel", "Zo\xC3\xAB", "Bram", "Fien"};
    static const char* middle[] = {"", "van", "de", "van der", "", ""};
    static const char* last[] = {"Dijk", "Bakker", "Jansen", "Visser", "Smit", "Meijer", "Bos"};
    QByteArray out = "Voornaam;Tussenvoegsel;Achternaam;Geb. datum;Adres;Postcode;Woonplaats;"
                     "Telefoon;E-mailadres;Senior;Man;Bondsnr;Soort\n";
    for (int i = 0; i < rows; ++i) {
        out += QByteArray(first[i % 8]) + ';' + middle[i % 6] + ';' + last[(i / 8) % 7] + ' ' +
               QByteArray::number(i) + ';' + QByteArray::number(1 + i % 28) + '-' +
               QByteArray::number(1 + i % 12) + '-' + QByteArray::number(1950 + i % 60) +
               ";Dorpsstraat " + QByteArray::number(i % 300) + ";1234 AB;Assen;06-" +
               QByteArray::number(10000000 + i) + ";lid" + QByteArray::number(i) +
               "@example.nl;" + (i % 3 ? "ja" : "nee") + ';' + (i % 2 ? "j" : "n") + ';' +
               QByteArray::number(1000000 + i) + ';' + (i % 10 ? "Lid" : "Donateur") + '\n';
    }
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(out);
    return path;
}

void BM_ImportCsvIntoNewAdministration(benchmark::State& state) {
    Clock::pinToday(20240301);
    const QString path = csvOf(static_cast<int>(state.range(0)));
    std::size_t added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CKorvelDoc>();
        doc->OnNewDocument();
        state.ResumeTiming();
        KTableFile file;
        file.open(path);
        KImportTable table;
        file.read(0, table);
        KImportRun run(*doc, table, KImportProposal::propose(table, doc->fields(), true));
        run.duplicateCount(); // the dialog asks first
        KImportChanges changes;
        KImportReport report;
        run.build([&] { return doc->handOutId(); }, changes, report);
        KEdit::importMembers(*doc, std::move(changes));
        added = report.added;
        state.PauseTiming();
        doc->abandonContents();
        doc.reset();
        state.ResumeTiming();
    }
    state.counters["added"] = static_cast<double>(added);
}
BENCHMARK(BM_ImportCsvIntoNewAdministration)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ExportXlsx(benchmark::State& state) {
    Clock::pinToday(20240301);
    QLocale::setDefault(QLocale(QStringLiteral("nl_NL")));
    static std::unique_ptr<CKorvelDoc> doc;
    if (!doc || doc->members().size() != static_cast<std::size_t>(state.range(0))) {
        doc = std::make_unique<CKorvelDoc>();
        ClubGenerator(42).generate(*doc, static_cast<long>(state.range(0)));
    }
    const QString path = folder().filePath(QStringLiteral("leden.xlsx"));
    const auto columns = KXlsxExport::gridColumns(*doc, kDefaultColumnList);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            KXlsxExport::write(path, *doc, columns, KXlsxExport::gridOrder(*doc)).isDone());
    state.counters["MB"] = static_cast<double>(QFile(path).size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ExportXlsx)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
