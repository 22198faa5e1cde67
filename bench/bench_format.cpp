// Reading and showing dates in a custom format, and amount texts.
#include "core/format/AmountText.h"
#include "core/format/Clock.h"
#include "core/format/DateFormat.h"
#include "core/format/KDateTextIndex.h"
#include "core/format/KDateValue.h"

#include <benchmark/benchmark.h>

#include <QLocale>

#include <string>
#include <vector>

namespace {

constexpr std::int32_t benchToday = 20240226;
const char* const formats[] = {"%d-%m-%Y", "%d-%m"};

// Texts of dates spread over the whole search range, or texts that no date gives.
std::vector<std::string> textsToRead(const std::string& format, bool matching) {
    std::vector<std::string> texts;
    if (!matching) {
        for (const char* text : {"31-02-2001", "nothing", "", "32-13", "22-09-2001 "})
            texts.push_back(text);
        return texts;
    }
    KDateValue forward(benchToday);
    KDateValue backward(benchToday);
    for (int i = 0; i < 200; ++i) {
        texts.push_back(forward.TextAs(format));
        texts.push_back(backward.TextAs(format));
        for (int step = 0; step < 197; ++step) {
            forward.nextDay();
            backward.prevDay();
        }
    }
    return texts;
}

void readCustomDate(benchmark::State& state, bool matching) {
    const std::string format = formats[state.range(0)];
    Clock::pinToday(benchToday);
    DateFormat::setSetting(format);
    const std::vector<std::string> texts = textsToRead(format, matching);
    for (const std::string& text : texts) { // the first read builds the index
        if ((KDateValue(text.c_str(), 0).value() != 0) != matching) {
            state.SkipWithError("a text did not read as expected");
            return;
        }
    }
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(KDateValue(texts[next].c_str(), 0).value());
        next = (next + 1) % texts.size();
    }
    state.SetLabel(format);
    Clock::unpin();
    DateFormat::setSetting("Standard");
}

void BM_ReadCustomDateMatching(benchmark::State& state) {
    readCustomDate(state, true);
}
void BM_ReadCustomDateNotMatching(benchmark::State& state) {
    readCustomDate(state, false);
}
BENCHMARK(BM_ReadCustomDateMatching)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadCustomDateNotMatching)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The one-off cost of the first read in a format on a day: walking all 80,000 dates.
void BM_BuildDateTextIndex(benchmark::State& state) {
    const std::string format = formats[state.range(0)];
    std::size_t bytes = 0;
    for (auto _ : state) {
        KDateTextIndex index(format, benchToday);
        bytes = index.memoryBytes();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetLabel(format);
}
BENCHMARK(BM_BuildDateTextIndex)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_DateTextCustom(benchmark::State& state) {
    KDateValue date(20010922);
    for (auto _ : state)
        benchmark::DoNotOptimize(date.TextAs("%A %d %B %Y"));
}
BENCHMARK(BM_DateTextCustom);

void BM_AmountText(benchmark::State& state) {
    const QLocale old;
    QLocale::setDefault(QLocale(QStringLiteral("nl_NL")));
    double value = -1234.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(AmountText(value, 2));
        value += 0.01;
    }
    QLocale::setDefault(old);
}
BENCHMARK(BM_AmountText);

} // namespace
