#include "core/document/CKorvelDoc.h"
#include "core/format/Clock.h"
#include "core/generate/ClubGenerator.h"
#include "core/model/ContributionRules.h"
#include "bench/BenchSchemes.h"

#include <benchmark/benchmark.h>

#include <QLocale>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<std::unique_ptr<KMember>> makeMembers(CKorvelDoc& doc, int count) {
    static const char* surnames[] = {"Jansen", "de Vries", "van den Berg", "Bakker", "Visser",
                                     "Smit", "Meijer", "de Boer", "Mulder", "de Groot"};
    ClubGenerator random(42);
    std::vector<std::unique_ptr<KMember>> members;
    members.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        auto m = std::make_unique<KMember>(doc.fields());
        m->setId(i + 100);
        const std::uint64_t r = random.next();
        m->setTextByMeaning(FieldMeaning::Name, std::string(surnames[r % 10]) + ", " +
                                                     std::to_string(r % 100000));
        m->setTextByMeaning(FieldMeaning::MemberType, (r >> 20) % 5 == 0 ? "Donateur" : "Lid");
        m->valueByMeaning(FieldMeaning::Senior)->setNumber((r >> 24) % 3 != 0);
        m->valueByMeaning(FieldMeaning::Registered)->setNumber((r >> 28) % 2);
        members.push_back(std::move(m));
    }
    return members;
}

CKorvelDoc& benchDocument() {
    static CKorvelDoc doc;
    static bool ready = false;
    if (!ready) {
        Clock::pinToday(20240301);
        doc.OnNewDocument();
        ready = true;
    }
    return doc;
}

void BM_InsertMembersOneByOne(benchmark::State& state) {
    CKorvelDoc& doc = benchDocument();
    for (auto _ : state) {
        state.PauseTiming();
        auto members = makeMembers(doc, static_cast<int>(state.range(0)));
        KMemberList list;
        state.ResumeTiming();
        for (auto& m : members)
            list.insert(std::move(m));
        benchmark::DoNotOptimize(list.size());
        state.PauseTiming();
        list.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InsertMembersOneByOne)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_InsertMembersBulk(benchmark::State& state) {
    CKorvelDoc& doc = benchDocument();
    for (auto _ : state) {
        state.PauseTiming();
        auto members = makeMembers(doc, static_cast<int>(state.range(0)));
        KMemberList list;
        state.ResumeTiming();
        list.insertAll(std::move(members));
        benchmark::DoNotOptimize(list.size());
        state.PauseTiming();
        list.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InsertMembersBulk)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ApplyTwelvePartScheme(benchmark::State& state) {
    QLocale::setDefault(QLocale(QStringLiteral("nl_NL")));
    CKorvelDoc& doc = benchDocument();
    auto members = makeMembers(doc, static_cast<int>(state.range(0)));
    const KContribution scheme = twelvePartScheme(doc);
    for (auto _ : state) {
        for (auto& m : members)
            ApplyContribution(*m, scheme);
    }
    state.counters["members"] = static_cast<double>(members.size());
}
BENCHMARK(BM_ApplyTwelvePartScheme)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
