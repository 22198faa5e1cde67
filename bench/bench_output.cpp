// Export, the rebuilt grid and the letter values on generated clubs of 1,000 to 100,000 members.
#include "core/document/CKorvelDoc.h"
#include "core/format/Clock.h"
#include "core/generate/ClubGenerator.h"
#include "core/output/MemberExport.h"
#include "core/output/MemberGridText.h"
#include "core/output/MemberMessages.h"
#include "platform/ComponentInterfaces.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

// The grid of every default column.
const char* const kColumns =
    "Nr.|Naam|Adres|Postcode|Woonplaats|Telefoon|E-mail|Man|Senior|Geboortedatum|Aangemeld|"
    "Bondsnummer|Competitiegerechtigd|Licentie|Soort lid|Schuld|Inschrijfdatum|Diversen|";

const CKorvelDoc& club(long members) {
    static std::map<long, std::unique_ptr<CKorvelDoc>> clubs;
    std::unique_ptr<CKorvelDoc>& doc = clubs[members];
    if (!doc) {
        Clock::pinToday(20260315);
        doc = std::make_unique<CKorvelDoc>();
        ClubGenerator(42).generate(*doc, members);
    }
    return *doc;
}

// Takes every value and keeps nothing, so only the handing over is measured.
class Sink final : public IKCorrespondence {
public:
    KStatus QueryInterface(const KGuid&, void** object) override {
        *object = this;
        return KStatusCode::ok;
    }
    std::uint32_t AddRef() override { return 1; }
    std::uint32_t Release() override { return 1; }
    KStatus BeginCorrespondence(const char*, const char*, const char*) override { return 0; }
    KStatus AddMemberValue(std::int32_t, const char*, const char* value) override {
        values += value[0] != 0;
        return 0;
    }
    KStatus SetListFields(const char* const*, std::int32_t) override { return 0; }
    KStatus RunCorrespondence() override { return 0; }
    long values = 0;
};

void BM_MemberGridText(benchmark::State& state) {
    const CKorvelDoc& doc = club(state.range(0));
    for (auto _ : state) {
        MemberGridText grid(doc, kColumns);
        benchmark::DoNotOptimize(grid.rowCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ExportWithParts(benchmark::State& state) {
    const CKorvelDoc& doc = club(state.range(0));
    const MemberGridText grid(doc, kColumns);
    MemberExport::Choice choice;
    choice.items = MemberExport::listItems(grid);
    choice.selected.assign(choice.items.size(), true);
    choice.splitParts = true;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::optional<std::string> text = MemberExport::text(grid, doc, choice);
        bytes = text->size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_LetterValues(benchmark::State& state) {
    const CKorvelDoc& doc = club(state.range(0));
    for (auto _ : state) {
        Sink sink;
        MemberMessages::send(doc, MemberMessages::kAllMembers, sink);
        benchmark::DoNotOptimize(sink.values);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_MemberGridText)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportWithParts)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LetterValues)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
