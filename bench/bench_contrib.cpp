// Contributions on a club of 100,000 members: executing a twelve-part scheme, and filling the
// overview of outstanding amounts over five schemes and extra charges.
#include "core/contrib/KOverview.h"
#include "core/contrib/KSchemeEditor.h"
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/format/Clock.h"
#include "core/format/DateFormat.h"
#include "core/generate/ClubGenerator.h"

#include <benchmark/benchmark.h>

#include <QLocale>

#include <memory>
#include <vector>

namespace {

constexpr long kMembers = 100'000;

std::vector<std::int32_t> everybody(const CKorvelDoc& doc) {
    std::vector<std::int32_t> ids;
    ids.reserve(doc.members().size());
    for (const KMember& m : doc.members())
        ids.push_back(m.id());
    return ids;
}

// The standard set for two member types: 2 x 2 x 3 = 12 parts, each with two or three
// conditions.
KContribution standardScheme(CKorvelDoc& doc, int year) {
    KContribution start(doc.handOutId());
    KSchemeEditor editor(start, doc.fields(), {"Lid", "Donateur"}, [&doc] { return doc.handOutId(); });
    editor.standard();
    KContribution scheme = editor.working();
    scheme.setDescription("Contributie " + std::to_string(year));
    scheme.setDate(KDateValue(year * 10000 + 701));
    return scheme;
}

// A generated club of 100,000 members (two schemes charged, payments), made once.
CKorvelDoc& club() {
    static std::unique_ptr<CKorvelDoc> doc;
    if (!doc) {
        Clock::pinToday(20260315);
        DateFormat::setSetting("Standard");
        QLocale::setDefault(QLocale(QStringLiteral("nl_NL")));
        doc = std::make_unique<CKorvelDoc>();
        ClubGenerator(42).generate(*doc, kMembers);
    }
    return *doc;
}

void BM_ExecuteTwelvePartScheme(benchmark::State& state) {
    CKorvelDoc& doc = club();
    const KContribution scheme = standardScheme(doc, 2027);
    KEdit::addScheme(doc, scheme);
    const std::vector<std::int32_t> ids = everybody(doc);
    double total = 0;
    for (auto _ : state) {
        const KEdit::Applied applied = KEdit::applyScheme(doc, scheme.id(), ids);
        total = applied ? applied.total : -1;
        state.PauseTiming();
        doc.undoStack().undo();
        state.ResumeTiming();
    }
    doc.undoStack().undo(); // the scheme
    state.counters["members"] = static_cast<double>(ids.size());
    state.counters["total"] = total;
}
BENCHMARK(BM_ExecuteTwelvePartScheme)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Five schemes of the document and the charges of a sixth, deleted without its charges, as
// extra charges.
CKorvelDoc& overviewClub() {
    static bool ready = false;
    CKorvelDoc& doc = club();
    if (!ready) {
        const std::vector<std::int32_t> ids = everybody(doc);
        for (int year : {2022, 2023, 2024, 2027}) {
            const KContribution scheme = standardScheme(doc, year);
            KEdit::addScheme(doc, scheme);
            KEdit::applyScheme(doc, scheme.id(), ids);
        }
        const std::int32_t gone = doc.schemes().front().id(); // 2022
        KEdit::deleteScheme(doc, gone, false);
        ready = true;
    }
    return doc;
}

void BM_FillOverview(benchmark::State& state) {
    const CKorvelDoc& doc = overviewClub();
    int rows = 0;
    int cols = 0;
    for (auto _ : state) {
        const KOverview overview(doc);
        rows = overview.rowCount();
        cols = overview.colCount();
        benchmark::DoNotOptimize(overview.cell(rows - 1, cols - 1));
    }
    state.counters["members"] = static_cast<double>(doc.members().size());
    state.counters["schemes"] = static_cast<double>(doc.schemes().size());
    state.counters["rows"] = rows;
    state.counters["cols"] = cols;
}
BENCHMARK(BM_FillOverview)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
