// The direct-debit file of a club of 100,000 members who all owe something: gathering the
// members to collect (by balance, and by one scheme's outstanding amount), and the whole run
// of making the file. The memory counter is the peak the run needs beyond the open
// administration.
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/format/Clock.h"
#include "core/format/DateFormat.h"
#include "core/generate/ClubGenerator.h"
#include "core/incasso/BusinessDays.h"
#include "core/incasso/KCollection.h"
#include "core/incasso/KCollectionFile.h"
#include "tests/support/Charges.h"
#include "tests/support/IncassoClub.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include <malloc.h>

#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr long kMembers = 100'000;

// Resident and peak resident memory of the process, in bytes (Linux).
long long statusBytes(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string wanted = std::string(key) + ":";
    while (std::getline(status, line))
        if (line.rfind(wanted, 0) == 0)
            return std::stoll(line.substr(wanted.size())) * 1024;
    return 0;
}

// Lets the peak resident memory start again from what is resident now.
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// A generated club with the incasso fields; every member has a mandate and owes at least the
// extra 500.00, a third of them as a first collection.
CKorvelDoc& club() {
    static std::unique_ptr<CKorvelDoc> doc;
    if (!doc) {
        Clock::pinToday(20261207);
        DateFormat::setSetting("Standard");
        QLocale::setDefault(QLocale(QStringLiteral("nl_NL")));
        doc = std::make_unique<CKorvelDoc>();
        ClubGenerator(42).generate(*doc, kMembers);
        addIncassoFields(*doc);
        std::vector<std::pair<std::int32_t, KMember>> contents;
        contents.reserve(doc->members().size());
        for (const KMember& member : doc->members()) {
            KMember m(member);
            Debtor d = readyDebtor(member.id(), member.id() % 3 == 0);
            if (member.id() % 4 == 0)
                d.bic = "RABONL2U";
            setDebtor(m, d);
            m.addCharge(chargeOf(999'999, 20261201, {{"Incasso-proef", 500.0}}));
            contents.emplace_back(member.id(), std::move(m));
        }
        KEdit::replaceMembers(*doc, QStringLiteral("Incasso-gegevens"), std::move(contents));
        doc->undoStack().clear();
    }
    return *doc;
}

KCollectionRequest balanceRequest() {
    KCollectionRequest request;
    request.collectionDate = BusinessDays::defaultCollectionDate(Clock::today());
    return request;
}

void BM_IncassoListByBalance(benchmark::State& state) {
    CKorvelDoc& doc = club();
    const IncassoSettings settings = testCreditor();
    std::size_t ready = 0;
    for (auto _ : state) {
        const KCollectionList list = KCollection::list(doc, settings, balanceRequest());
        ready = KCollectionFile::ready(list).size();
        benchmark::DoNotOptimize(ready);
    }
    state.counters["members"] = static_cast<double>(doc.members().size());
    state.counters["ready"] = static_cast<double>(ready);
}
BENCHMARK(BM_IncassoListByBalance)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_IncassoListByScheme(benchmark::State& state) {
    CKorvelDoc& doc = club();
    const IncassoSettings settings = testCreditor();
    KCollectionRequest request = balanceRequest();
    request.schemeId = doc.schemes().begin()->id();
    std::size_t listed = 0;
    for (auto _ : state) {
        const KCollectionList list = KCollection::list(doc, settings, request);
        listed = list.items.size();
        benchmark::DoNotOptimize(listed);
    }
    state.counters["listed"] = static_cast<double>(listed);
}
BENCHMARK(BM_IncassoListByScheme)->Unit(benchmark::kMillisecond)->Iterations(3);

// The whole run as "Maak bestand" does it: the list, the chosen members, the file.
void BM_IncassoFile(benchmark::State& state) {
    CKorvelDoc& doc = club();
    const IncassoSettings settings = testCreditor(
        state.range(0) ? IncassoSettings::Format::Pain00800102 : IncassoSettings::Format::Pain00800108);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("incasso.xml"));
    double extra = 0;
    std::int64_t transactions = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path);
        // What earlier work freed goes back to the system, so that the peak counts only this
        // run's memory.
        malloc_trim(0);
        resetPeak();
        const long long before = statusBytes("VmRSS");
        state.ResumeTiming();

        const KCollectionRequest request = balanceRequest();
        const KCollectionList list = KCollection::list(doc, settings, request);
        const KCollectionFileResult written = KCollectionFile::write(
            path, settings, request.collectionDate, KCollectionFile::ready(list));
        if (!written.result.isDone())
            state.SkipWithError(written.result.reason().toStdString().c_str());
        transactions = written.transactions;

        state.PauseTiming();
        extra = std::max(extra, static_cast<double>(statusBytes("VmHWM") - before));
        state.ResumeTiming();
    }
    state.counters["transactions"] = static_cast<double>(transactions);
    state.counters["file_MB"] = static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0);
    state.counters["extra_MB"] = extra / (1024.0 * 1024.0);
}
BENCHMARK(BM_IncassoFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
