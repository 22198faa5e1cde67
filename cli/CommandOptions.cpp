#include "cli/CommandOptions.h"

#include "core/document/CKorvelDoc.h"
#include "core/format/Clock.h"
#include "core/format/DateFormat.h"

#include <QDate>
#include <QFile>

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace {

constexpr int kFailed = 1;

int fail(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return kFailed;
}

} // namespace

std::string CommandOptions::value(std::string_view name) const {
    const auto it = named.find(name);
    return it == named.end() ? std::string() : it->second;
}

const char* parseCommandOptions(int argc, char** argv,
                                std::initializer_list<std::string_view> allowed,
                                CommandOptions& options) {
    bool dateFormatGiven = false;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.size() < 2 || arg.substr(0, 2) != "--") {
            options.paths.emplace_back(arg);
            continue;
        }
        if (i + 1 >= argc)
            return "optie zonder waarde";
        const std::string_view value = argv[++i];
        if (arg == "--today") {
            std::int32_t date = 0;
            const auto read = std::from_chars(value.data(), value.data() + value.size(), date);
            if (value.size() != 8 || read.ec != std::errc() ||
                read.ptr != value.data() + value.size() ||
                !QDate(date / 10000, (date / 100) % 100, date % 100).isValid())
                return "--today verwacht een datum JJJJMMDD";
            Clock::pinToday(date);
        } else if (arg == "--date-format") {
            DateFormat::setSetting(std::string(value));
            dateFormatGiven = true;
        } else if (std::find(allowed.begin(), allowed.end(), arg.substr(2)) != allowed.end()) {
            options.named[std::string(arg.substr(2))] = std::string(value);
        } else {
            return "onbekende optie";
        }
    }
    if (!dateFormatGiven)
        LoadDateFormat();
    return nullptr;
}

int openMemberFile(CKorvelDoc& doc, const std::string& path) {
    KFileReport report;
    if (!doc.OnOpenDocument(QFile::decodeName(path.c_str()), &report))
        return fail(report.error);
    for (const QString& message : report.messages)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    return 0;
}

int saveMemberFile(CKorvelDoc& doc, const std::string& path) {
    KFileReport report;
    if (!doc.OnSaveDocument(QFile::decodeName(path.c_str()), &report))
        return fail(report.error);
    for (const QString& message : report.messages)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    return 0;
}
