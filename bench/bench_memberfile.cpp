// Loading and saving member files of generated clubs, beside the bare reading of their bytes.
#include "core/document/CKorvelDoc.h"
#include "core/format/Clock.h"
#include "core/format/DateFormat.h"
#include "core/generate/ClubGenerator.h"
#include "platform/Archive.h"
#include "platform/KSafeFile.h"
#include "tolvex7/FileUtils.h"
#include "tolvex7/StringRecord.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <string>

namespace {

constexpr std::int32_t benchToday = 20260315;

// One generated club per size, made once per process.
const QString& clubFile(long members) {
    static QTemporaryDir dir;
    static std::map<long, QString> files;
    auto it = files.find(members);
    if (it != files.end())
        return it->second;
    Clock::pinToday(benchToday);
    DateFormat::setSetting("Standard");
    const QString path = dir.filePath(QStringLiteral("club%1.kvl").arg(members));
    {
        CKorvelDoc doc;
        ClubGenerator(42).generate(doc, members);
        doc.OnSaveDocument(path);
    }
    return files.emplace(members, path).first->second;
}

// A file of the given version that holds a million snapshot records of a kind without members
// (6 bytes each) and nothing else, made once per version.
const QString& snapshotFile(int version) {
    static QTemporaryDir dir;
    static std::map<int, QString> files;
    auto it = files.find(version);
    if (it != files.end())
        return it->second;
    Archive ar = Archive::forStoring();
    setMarker(ar, version);
    ar.writeInt32(0); // reserved word
    ar.writeInt32(0); // schemes
    constexpr std::int32_t records = 1'000'000;
    ar.writeInt32(records);
    for (std::int32_t key = 0; key < records; ++key) {
        ar.writeUInt16(3);
        ar.writeInt32(key);
    }
    ar.writeInt32(0); // lastId
    if (version >= 11) {
        ar.writeInt32(0); // fields, tabs, member types
        ar.writeInt32(0);
        ar.writeInt32(0);
    }
    const QString path = dir.filePath(QStringLiteral("snapshots%1.kvl").arg(version));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(ar.data().data(), static_cast<qint64>(ar.data().size()));
    return files.emplace(version, path).first->second;
}

std::int64_t fileSize(const QString& path) {
    return QFile(path).size();
}

// The bytes read into memory that is already the process's, so that the figure is the read
// alone and does not depend on whether the allocator has to ask the system for fresh pages
// (which it does or not depending on what the process freed before).
void readBytes(benchmark::State& state) {
    const QString& path = clubFile(state.range(0));
    std::string bytes(static_cast<std::size_t>(fileSize(path)), '\0');
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot open the club file");
            return;
        }
        benchmark::DoNotOptimize(file.read(bytes.data(), file.size()));
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * fileSize(path));
}

void load(benchmark::State& state) {
    const QString& path = clubFile(state.range(0));
    for (auto _ : state) {
        auto doc = std::make_unique<CKorvelDoc>();
        if (!doc->OnOpenDocument(path)) {
            state.SkipWithError("the club file did not load");
            return;
        }
        benchmark::DoNotOptimize(doc->members().size());
        state.PauseTiming(); // freeing the administration is not part of loading
        doc.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * fileSize(path));
    state.counters["members"] = static_cast<double>(state.range(0));
}

// Arg: the format version. Old snapshot records cost what their bytes cost, as current ones do.
void loadSnapshots(benchmark::State& state) {
    const QString& path = snapshotFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto doc = std::make_unique<CKorvelDoc>();
        if (!doc->OnOpenDocument(path)) {
            state.SkipWithError("the snapshot file did not load");
            return;
        }
        benchmark::DoNotOptimize(doc->snapshots().size());
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * fileSize(path));
}

// Arg 1: 0 a new file; 1 over a previous file, so that the backup copy is part of the save;
// 2 over a previous file with the backup and a generation.
void save(benchmark::State& state) {
    const QString& path = clubFile(state.range(0));
    const bool overwrite = state.range(1) != 0;
    CKorvelDoc doc;
    if (!doc.OnOpenDocument(path)) {
        state.SkipWithError("the club file did not load");
        return;
    }
    doc.setBackupGenerations(state.range(1) == 2 ? 10 : 0);
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("saved.kvl"));
    for (auto _ : state) {
        if (!overwrite || state.range(1) == 2) {
            state.PauseTiming();
            if (!overwrite)
                QFile::remove(target);
            else
                QDir(dir.filePath(QStringLiteral("saved reservekopieën"))).removeRecursively();
            state.ResumeTiming();
        }
        if (!doc.OnSaveDocument(target)) {
            state.SkipWithError("saving failed");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * fileSize(path));
    state.SetLabel(state.range(1) == 2   ? "over a file, with backup and generation"
                   : overwrite ? "over a file, with backup"
                               : "new file");
}

// A file of the size of a club of that many members: the generated file, or for a million
// ten of the 100,000-member file end to end (the copy sees bytes only).
const QString& bytesLike(long members) {
    static QTemporaryDir dir;
    static std::map<long, QString> files;
    if (auto it = files.find(members); it != files.end())
        return it->second;
    if (members <= 100000)
        return files.emplace(members, clubFile(members)).first->second;
    const QString path = dir.filePath(QStringLiteral("groot%1.kvl").arg(members));
    QFile in(clubFile(100000));
    in.open(QIODevice::ReadOnly);
    const QByteArray bytes = in.readAll();
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    for (long i = 0; i < members / 100000; ++i)
        out.write(bytes);
    return files.emplace(members, path).first->second;
}

// The backup copy of a save. Arg 1: 0 the copy saves make (whole under a temporary name, by
// the kernel, synced, renamed), 1 the helper library's copyFile, 2 the system's cp.
void backupCopy(benchmark::State& state) {
    const QString& source = bytesLike(state.range(0));
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("club.kvm"));
    for (auto _ : state) {
        bool copied = false;
        switch (state.range(1)) {
        case 0:
            copied = safeCopyFile(source, target);
            break;
        case 1:
            copied = copyFile(source, target) == 0;
            break;
        default:
            copied = QProcess::execute(QStringLiteral("cp"), {source, target}) == 0;
            break;
        }
        if (!copied) {
            state.SkipWithError("the copy failed");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * fileSize(source));
    state.SetLabel(state.range(1) == 0   ? "backup (temporary, kernel, sync, rename)"
                   : state.range(1) == 1 ? "copyFile"
                                         : "cp");
}

// The recovery file: the whole administration written aside, which the user waits for.
void recoveryWrite(benchmark::State& state) {
    CKorvelDoc doc;
    if (!doc.OnOpenDocument(clubFile(state.range(0)))) {
        state.SkipWithError("the club file did not load");
        return;
    }
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("herstel.kvl"));
    for (auto _ : state)
        if (!doc.writeCopy(target)) {
            state.SkipWithError("writing failed");
            return;
        }
    state.counters["members"] = static_cast<double>(state.range(0));
}

} // namespace

BENCHMARK(readBytes)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(load)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(loadSnapshots)->Arg(10)->Arg(11)->Unit(benchmark::kMillisecond);
BENCHMARK(save)
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Args({100000, 2})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(backupCopy)
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Args({100000, 2})
    ->Args({1000000, 0})
    ->Args({1000000, 1})
    ->Args({1000000, 2})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(recoveryWrite)->Arg(100000)->Unit(benchmark::kMillisecond);
