// Changing the field list of generated clubs: every member's values are brought in step with
// the new fields in one undoable step. A change of one field takes a large club well under a
// second.
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/format/Clock.h"
#include "core/format/DateFormat.h"
#include "core/generate/ClubGenerator.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <memory>

namespace {

// One generated club per size, made once per process.
CKorvelDoc& club(long members) {
    static std::map<long, std::unique_ptr<CKorvelDoc>> clubs;
    auto it = clubs.find(members);
    if (it != clubs.end())
        return *it->second;
    Clock::pinToday(20260315);
    DateFormat::setSetting("Standard");
    auto doc = std::make_unique<CKorvelDoc>();
    ClubGenerator(42).generate(*doc, members);
    return *clubs.emplace(members, std::move(doc)).first->second;
}

KField* fieldLabelled(KFieldList& fields, const char* label) {
    return fields.findFirst([label](const KField& f) { return f.label() == label; });
}

// Times the change of the field list made by change(), then undoes it untimed.
void runFieldChange(benchmark::State& state, const std::function<void(CKorvelDoc&, KFieldList&,
                                                                      KTabList&)>& change) {
    CKorvelDoc& doc = club(static_cast<long>(state.range(0)));
    KFieldList fields = doc.fields();
    KTabList tabs = doc.tabs();
    change(doc, fields, tabs);
    for (auto _ : state) {
        KEdit::replaceFields(doc, fields, tabs);
        state.PauseTiming();
        doc.undoStack().undo();
        state.ResumeTiming();
    }
    state.counters["members"] = static_cast<double>(doc.members().size());
}

void BM_FieldRelabelled(benchmark::State& state) {
    runFieldChange(state, [](CKorvelDoc&, KFieldList& fields, KTabList&) {
        fieldLabelled(fields, "Woonplaats")->setLabel("Plaats");
    });
}

void BM_FieldTypeChanged(benchmark::State& state) {
    runFieldChange(state, [](CKorvelDoc&, KFieldList& fields, KTabList&) {
        fieldLabelled(fields, "Licentie")->changeType(FieldType::Boolean);
    });
}

void BM_FieldAdded(benchmark::State& state) {
    runFieldChange(state, [](CKorvelDoc& doc, KFieldList& fields, KTabList& tabs) {
        const std::int32_t id = doc.handOutId();
        fields.insert(KField(id, FieldType::Text, FieldMeaning::Other, "IBAN"));
        tabs.front().addFieldId(id);
    });
}

void BM_FieldDeleted(benchmark::State& state) {
    runFieldChange(state, [](CKorvelDoc&, KFieldList& fields, KTabList&) {
        fields.removeItem(fieldLabelled(fields, "Diversen"));
    });
}

// The undo of a type change: every converted value is put back.
void BM_FieldTypeChangeUndone(benchmark::State& state) {
    CKorvelDoc& doc = club(static_cast<long>(state.range(0)));
    KFieldList fields = doc.fields();
    fieldLabelled(fields, "Licentie")->changeType(FieldType::Boolean);
    for (auto _ : state) {
        state.PauseTiming();
        KEdit::replaceFields(doc, fields, doc.tabs());
        state.ResumeTiming();
        doc.undoStack().undo();
    }
    state.counters["members"] = static_cast<double>(doc.members().size());
}

} // namespace

BENCHMARK(BM_FieldRelabelled)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FieldTypeChanged)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FieldAdded)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FieldDeleted)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FieldTypeChangeUndone)->Arg(100000)->Unit(benchmark::kMillisecond);
