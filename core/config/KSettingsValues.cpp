#include "core/config/KSettingsValues.h"

#include "core/format/KDateValue.h"
#include "core/settings/DateFormatSetting.h"
#include "core/settings/Settings.h"
#include "platform/CodePage.h"
#include "tolvex7/FileUtils.h"

#include <QDir>

KGeneralSettings KGeneralSettings::read() {
    KGeneralSettings values;
    values.loadAtStart = Settings::loadAtStart();
    values.fixedStartFile = Settings::fixedStartFile();
    values.startFile = Settings::startFile();
    values.dataFolder = QDir::toNativeSeparators(Settings::dataFolder());
    values.backupGenerations = Settings::backupGenerations();
    values.recoveryMinutes = Settings::recoveryMinutes();
    return values;
}

namespace KDateSetting {

namespace {
const char* const kStandard = "Standard";
const char* const kSystem = "System";
constexpr std::int32_t kSampleDate = 20010922;
} // namespace

Choice choiceOf(const std::string& format) {
    if (format.empty() || format == kStandard)
        return Choice::Standard;
    if (format == kSystem)
        return Choice::System;
    return Choice::Other;
}

std::string formatOf(Choice choice, const std::string& custom) {
    switch (choice) {
    case Choice::Standard:
        return kStandard;
    case Choice::System:
        return kSystem;
    default:
        return custom;
    }
}

std::string sample(Choice choice, const std::string& custom) {
    return KDateValue(kSampleDate).TextAs(formatOf(choice, custom));
}

} // namespace KDateSetting

void SaveSettings(const KGeneralSettings& general, const KGeneralSettings& opened,
                  const std::optional<std::string>& dateFormat) {
    Settings::setLoadAtStart(general.loadAtStart);
    Settings::setFixedStartFile(general.fixedStartFile);
    Settings::setStartFile(general.startFile);
    if (general.backupGenerations != opened.backupGenerations)
        Settings::setBackupGenerations(general.backupGenerations);
    if (general.recoveryMinutes != opened.recoveryMinutes)
        Settings::setRecoveryMinutes(general.recoveryMinutes);
    if (general.dataFolder != opened.dataFolder)
        Settings::setDataFolder(general.dataFolder);
    if (dateFormat) {
        Settings::setDateFormat(*dateFormat);
        LoadDateFormat();
    }
}

QString startFileWithExtension(const QString& chosen) {
    const QString native = QDir::toNativeSeparators(chosen);
    const qsizetype cut = native.lastIndexOf(QDir::separator()) + 1;
    std::string name = CodePage::fromQString(native.mid(cut));
    ForceExtension(name, "kvl");
    return native.left(cut) + CodePage::toQString(name);
}
