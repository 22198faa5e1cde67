#include "cli/CommandOptions.h"

#include "core/document/CKorvelDoc.h"
#include "core/document/KFileLock.h"
#include "core/settings/Settings.h"
#include "core/format/Clock.h"
#include "core/format/DateFormat.h"
#include "core/settings/DateFormatSetting.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <set>
#include <cstdio>

std::string CommandOptions::value(std::string_view name) const {
    const auto it = named.find(name);
    return it == named.end() ? std::string() : it->second;
}

bool readWholeNumber(std::string_view text, std::int64_t& value) {
    if (text.empty())
        return false;
    const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
    return read.ec == std::errc() && read.ptr == text.data() + text.size();
}

const char* parseCommandOptions(int argc, char** argv,
                                std::initializer_list<std::string_view> allowed,
                                CommandOptions& options,
                                std::initializer_list<std::string_view> flags) {
    auto among = [](std::initializer_list<std::string_view> names, std::string_view name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    bool dateFormatGiven = false;
    std::set<std::string> seen;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.size() < 2 || arg.substr(0, 2) != "--") {
            options.paths.emplace_back(arg);
            continue;
        }
        const std::string_view name = arg.substr(2);
        // Twice the same option leaves open which one was meant.
        if (!seen.insert(std::string(name)).second)
            return "een optie is meer dan eens gegeven";
        if (among(flags, name)) {
            options.named[std::string(name)] = std::string();
            continue;
        }
        if (i + 1 >= argc)
            return "optie zonder waarde";
        const std::string_view value = argv[++i];
        if (name == "today") {
            std::int64_t date = 0;
            if (value.size() != 8 || !readWholeNumber(value, date) ||
                !QDate(static_cast<int>(date / 10000), static_cast<int>((date / 100) % 100),
                       static_cast<int>(date % 100))
                     .isValid())
                return "--today verwacht een datum JJJJMMDD";
            Clock::pinToday(static_cast<std::int32_t>(date));
        } else if (name == "date-format") {
            DateFormat::setSetting(std::string(value));
            dateFormatGiven = true;
        } else if (among(allowed, name)) {
            options.named[std::string(name)] = std::string(value);
        } else {
            return "onbekende optie";
        }
    }
    if (!dateFormatGiven)
        LoadDateFormat();
    return nullptr;
}

namespace {

void tell(const QStringList& messages) {
    for (const QString& message : messages)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

} // namespace

KResult openMemberFile(CKorvelDoc& doc, const std::string& path) {
    KFileReport report;
    const KResult opened = doc.OnOpenDocument(QFile::decodeName(path.c_str()), &report);
    if (opened)
        tell(report.messages);
    return opened;
}

KResult saveMemberFile(CKorvelDoc& doc, const std::string& path) {
    const QString target = QFileInfo(QFile::decodeName(path.c_str())).absoluteFilePath();
    // A file a Korvel has open is not written underneath it.
    KFileLock lock(target);
    if (const KResult locked = lock.lock(); locked.isFailed())
        return locked;
    doc.setBackupGenerations(Settings::backupGenerations());
    KFileReport report;
    const KResult saved = doc.OnSaveDocument(target, &report);
    if (saved)
        tell(report.messages);
    return saved;
}

KResult flushOutput(bool written) {
    if (std::fflush(stdout) != 0 || !written)
        return KResult::failed(QStringLiteral("Het schrijven naar de standaarduitvoer is mislukt."));
    return KResult::done();
}

int exitStatus(const KResult& result) {
    switch (result.outcome()) {
    case KOutcome::Done:
    case KOutcome::NothingToDo:
        return 0;
    case KOutcome::Stopped:
    case KOutcome::Failed:
        break;
    }
    if (!result.reason().isEmpty())
        std::fprintf(stderr, "%s\n", result.reason().toLocal8Bit().constData());
    return 1;
}
