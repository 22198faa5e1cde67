#include "bench/BenchSchemes.h"
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/edit/SchemeCommands.h"
#include "core/format/Clock.h"
#include "core/generate/ClubGenerator.h"

#include <benchmark/benchmark.h>

#include <QLocale>

#include <memory>
#include <vector>

// The history of edits on a generated club: executing a twelve-part scheme over every member,
// and taking that step back. The memory the step keeps for undo is reported as a counter.

namespace {

struct Club {
    CKorvelDoc doc;
    std::vector<std::int32_t> ids;
    explicit Club(int members) {
        Clock::pinToday(20240301);
        QLocale::setDefault(QLocale(QStringLiteral("nl_NL")));
        ClubGenerator(42).generate(doc, members);
        for (const KMember& m : doc.members())
            ids.push_back(m.id());
        KEdit::addScheme(doc, twelvePartScheme(doc, doc.handOutId()));
    }
    std::int32_t schemeId() const { return doc.schemes().at(doc.schemes().size() - 1).id(); }
};

Club& club(int members) {
    static std::unique_ptr<Club> made;
    if (!made || made->ids.size() != static_cast<std::size_t>(members))
        made = std::make_unique<Club>(members);
    return *made;
}

void BM_ExecuteScheme(benchmark::State& state) {
    Club& c = club(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(KEdit::applyScheme(c.doc, c.schemeId(), c.ids));
        state.PauseTiming();
        c.doc.undoStack().undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ExecuteScheme)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_UndoExecution(benchmark::State& state) {
    Club& c = club(static_cast<int>(state.range(0)));
    double undoBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto command = std::make_unique<KApplySchemeCommand>(
            c.doc, *c.doc.findSchemeById(c.schemeId()), c.ids);
        command->perform(nullptr);
        undoBytes = static_cast<double>(command->memoryBytes());
        c.doc.undoStack().push(command.release());
        state.ResumeTiming();
        c.doc.undoStack().undo();
    }
    state.counters["undo_MB"] = undoBytes / (1024.0 * 1024.0);
}
BENCHMARK(BM_UndoExecution)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
