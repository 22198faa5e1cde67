#include "bench/gui/BenchClub.h"

#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/format/Clock.h"
#include "core/model/DefaultConfiguration.h"
#include "core/settings/Settings.h"
#include "grid/CvsFlexGrid.h"
#include "platform/Profile.h"
#include "platform/CodePage.h"
#include "view/KFindBar.h"
#include "view/KMainView.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>

// The main view on generated clubs: opening a file and showing it in the grid, and the sorts a
// click on a column title starts. The peak memory of the process is reported as a counter.

namespace {

QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

QString clubFile(int members) {
    static std::map<int, QString> files;
    auto it = files.find(members);
    if (it == files.end()) {
        const QString path = scratch().filePath(QStringLiteral("club%1.kvl").arg(members));
        if (!writeBenchClub(path, members))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        it = files.emplace(members, path).first;
    }
    return it->second;
}

// Peak resident memory of this process in MB.
double peakMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
    return 0;
}

// A document and a shown main view of the club with that many members.
struct Shown {
    CKorvelDoc doc;
    KMainView view;
    explicit Shown(int members) {
        view.setDocument(&doc);
        view.resize(1200, 800);
        view.show();
        // The view listens: opening the file fills the grid.
        doc.OnOpenDocument(clubFile(members));
        QApplication::processEvents();
    }
    int column(const char* title) const {
        for (int col = 0; col < view.grid().colCount(); ++col)
            if (view.grid().cellText(0, col) == title)
                return col;
        return -1;
    }
    void clickTitle(int col) {
        emit view.grid().view()->horizontalHeader()->sectionClicked(col);
        QApplication::processEvents();
    }
};

void BM_OpenAndShow(benchmark::State& state) {
    const int members = static_cast<int>(state.range(0));
    clubFile(members);
    CKorvelDoc doc;
    KMainView view;
    view.setDocument(&doc);
    view.resize(1200, 800);
    view.show();
    for (auto _ : state) {
        doc.OnOpenDocument(clubFile(members));
        QApplication::processEvents();
        benchmark::DoNotOptimize(view.grid().rowCount());
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_OpenAndShow)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The grid rebuilt from an open document, without reading the file.
void BM_Rebuild(benchmark::State& state) {
    Shown shown(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        shown.view.OnUpdate();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_Rebuild)->Arg(100000)->Unit(benchmark::kMillisecond);

// One member changed through the edit path, from the edit call to the grid shown again: the
// row is updated in place. Each round renames a member so that the row moves.
void BM_ChangeOneMember(benchmark::State& state) {
    Shown shown(static_cast<int>(state.range(0)));
    const KMember& target = shown.doc.members().at(shown.doc.members().size() / 2);
    const std::int32_t id = target.id();
    KMember changed = target;
    const std::string name = target.name();
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        changed.setTextByMeaning(FieldMeaning::Name, flip ? "Aaltje Aarts" : name);
        KEdit::replaceMember(shown.doc, id, changed);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ChangeOneMember)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_NameTitleClick(benchmark::State& state) {
    Shown shown(static_cast<int>(state.range(0)));
    const int col = shown.column("Naam");
    for (auto _ : state)
        shown.clickTitle(col);
}
BENCHMARK(BM_NameTitleClick)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_DateTitleClick(benchmark::State& state) {
    Shown shown(static_cast<int>(state.range(0)));
    const int col = shown.column("Geboortedatum");
    for (auto _ : state)
        shown.clickTitle(col);
}
BENCHMARK(BM_DateTitleClick)->Arg(100000)->Unit(benchmark::kMillisecond);

// A column the grid sorts by itself.
void BM_CityTitleClick(benchmark::State& state) {
    Shown shown(static_cast<int>(state.range(0)));
    const int col = shown.column("Woonplaats");
    for (auto _ : state)
        shown.clickTitle(col);
}
BENCHMARK(BM_CityTitleClick)->Arg(100000)->Unit(benchmark::kMillisecond);

// One keystroke in the find bar: the text typed so far searched from the current row, and the
// row found selected and brought into view. The rows are read when the bar opens (Ctrl+F),
// measured apart in BM_FindBarOpen. The last members' names and a text nobody has (a full
// pass over every row) take the longest.
void findKeystroke(benchmark::State& state, bool allColumns, const char* typed) {
    Shown shown(static_cast<int>(state.range(0)));
    KFindBar& bar = shown.view.findBar();
    bar.scopeBox()->setCurrentIndex(allColumns ? 1 : 0);
    bar.open();
    const QString text = QString::fromUtf8(typed);
    for (auto _ : state) {
        bar.edit()->setText(text);
        emit bar.edit()->textEdited(text);
        shown.view.grid().goToRow(1);
    }
}

void BM_FindKeystrokeName(benchmark::State& state) {
    findKeystroke(state, false, "zzzz");
}
BENCHMARK(BM_FindKeystrokeName)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_FindKeystrokeAllColumns(benchmark::State& state) {
    findKeystroke(state, true, "zzzz");
}
BENCHMARK(BM_FindKeystrokeAllColumns)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_FindKeystrokeFound(benchmark::State& state) {
    Shown shown(static_cast<int>(state.range(0)));
    KFindBar& bar = shown.view.findBar();
    bar.open();
    // A name near the end of the grid, so the search runs through nearly every row.
    const int col = shown.view.nameColumn();
    const QString last = CodePage::toQString(
        shown.view.grid().cellText(shown.view.grid().rowCount() - 2, col));
    for (auto _ : state) {
        bar.edit()->setText(last);
        emit bar.edit()->textEdited(last);
        shown.view.grid().goToRow(1);
    }
}
BENCHMARK(BM_FindKeystrokeFound)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_FindBarOpen(benchmark::State& state) {
    Shown shown(static_cast<int>(state.range(0)));
    KFindBar& bar = shown.view.findBar();
    for (auto _ : state) {
        bar.rowsChanged();
        bar.scopeBox()->setCurrentIndex(static_cast<int>(state.range(1)));
        bar.open();
    }
}
BENCHMARK(BM_FindBarOpen)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond);

} // namespace

// korvel_gui_bench [benchmark options]
// korvel_gui_bench --write-club FILE MEMBERS   writes a generated club and stops
int main(int argc, char* argv[]) {
    if (argc == 4 && std::strcmp(argv[1], "--write-club") == 0)
        return writeBenchClub(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3])) ? 0 : 1;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    Clock::pinToday(20240301);
    // A profile of the benchmark's own, with the default column list.
    Profile::setProfileFile(scratch().filePath(QStringLiteral("Korvel.ini")));
    Settings::setColumns(kDefaultColumnList);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
