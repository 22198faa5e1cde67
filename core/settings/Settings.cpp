#include "core/settings/Settings.h"

#include "core/format/Numbers.h"
#include "platform/CodePage.h"
#include "platform/Profile.h"

#include <QDir>

#include <algorithm>
#include <charconv>

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kFont = QStringLiteral("Font");
const QString kRecent = QStringLiteral("Recent File List");
const QString kWindow = QStringLiteral("Window");
const QString kIncasso = QStringLiteral("Incasso");
const QString kPain02 = QStringLiteral("pain.008.001.02");
const QString kPain08 = QStringLiteral("pain.008.001.08");

constexpr double kLargestFontSize = 400.0;

QString recentKey(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace

Settings& Settings::notifier() {
    static Settings instance;
    return instance;
}

void Settings::tell(Key key) {
    emit notifier().changed(key);
}

QString Settings::dataFolder() {
    return Profile::readString(kSettings, QStringLiteral("Datadir"), QDir::homePath());
}

void Settings::setDataFolder(const QString& folder) {
    Profile::writeString(kSettings, QStringLiteral("Datadir"), folder);
    tell(Key::DataFolder);
}

bool Settings::loadAtStart() {
    return Profile::readInt(kSettings, QStringLiteral("loadstart"), 0) != 0;
}

void Settings::setLoadAtStart(bool on) {
    Profile::writeInt(kSettings, QStringLiteral("loadstart"), on ? 1 : 0);
    tell(Key::LoadAtStart);
}

int Settings::backupGenerations() {
    return std::clamp(Profile::readInt(kSettings, QStringLiteral("Generations"), 10), 0, 999);
}

void Settings::setBackupGenerations(int count) {
    Profile::writeInt(kSettings, QStringLiteral("Generations"), std::clamp(count, 0, 999));
    tell(Key::BackupGenerations);
}

int Settings::recoveryMinutes() {
    return std::clamp(Profile::readInt(kSettings, QStringLiteral("RecoveryMinutes"), 5), 0, 999);
}

void Settings::setRecoveryMinutes(int minutes) {
    Profile::writeInt(kSettings, QStringLiteral("RecoveryMinutes"), std::clamp(minutes, 0, 999));
    tell(Key::RecoveryMinutes);
}

bool Settings::fixedStartFile() {
    return Profile::readInt(kSettings, QStringLiteral("fixed"), 0) != 0;
}

void Settings::setFixedStartFile(bool on) {
    Profile::writeInt(kSettings, QStringLiteral("fixed"), on ? 1 : 0);
    tell(Key::FixedStartFile);
}

QString Settings::startFile() {
    return Profile::readString(kSettings, QStringLiteral("Startfile"));
}

void Settings::setStartFile(const QString& path) {
    Profile::writeString(kSettings, QStringLiteral("Startfile"), path);
    tell(Key::StartFile);
}

std::string Settings::dateFormat() {
    return CodePage::fromQString(Profile::readString(kSettings, QStringLiteral("DateFormat"),
                                                     QStringLiteral("Standard")));
}

void Settings::setDateFormat(const std::string& format) {
    Profile::writeString(kSettings, QStringLiteral("DateFormat"), CodePage::toQString(format));
    tell(Key::DateFormat);
}

std::string Settings::columns() {
    return CodePage::fromQString(Profile::readString(kSettings, QStringLiteral("Columns")));
}

bool Settings::hasColumns() {
    return Profile::contains(kSettings, QStringLiteral("Columns"));
}

void Settings::setColumns(const std::string& columnList) {
    Profile::writeString(kSettings, QStringLiteral("Columns"), CodePage::toQString(columnList));
    tell(Key::Columns);
}

MemberGridFont Settings::gridFont() {
    MemberGridFont font;
    font.bold = Profile::readInt(kFont, QStringLiteral("Bold")) != 0;
    font.italic = Profile::readInt(kFont, QStringLiteral("Italic")) != 0;
    font.strikethrough = Profile::readInt(kFont, QStringLiteral("Strikethru")) != 0;
    font.underline = Profile::readInt(kFont, QStringLiteral("Underline")) != 0;
    const std::string size = CodePage::fromQString(
        Profile::readString(kFont, QStringLiteral("Size"), QStringLiteral("10.0")));
    font.size = Numbers::leadingReal(size);
    if (!(font.size > 0 && font.size <= kLargestFontSize))
        font.size = MemberGridFont::kDefaultSize;
    font.name = CodePage::fromQString(Profile::readString(
        kFont, QStringLiteral("Name"), QString::fromLatin1(MemberGridFont::kDefaultName)));
    return font;
}

void Settings::setGridFont(const MemberGridFont& font) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, font.size, std::chars_format::fixed, 1);
    Profile::writeInt(kFont, QStringLiteral("Bold"), font.bold ? 1 : 0);
    Profile::writeInt(kFont, QStringLiteral("Italic"), font.italic ? 1 : 0);
    Profile::writeInt(kFont, QStringLiteral("Strikethru"), font.strikethrough ? 1 : 0);
    Profile::writeInt(kFont, QStringLiteral("Underline"), font.underline ? 1 : 0);
    Profile::writeString(kFont, QStringLiteral("Size"),
                         QString::fromLatin1(buffer, static_cast<int>(end.ptr - buffer)));
    Profile::writeString(kFont, QStringLiteral("Name"), CodePage::toQString(font.name));
    tell(Key::GridFont);
}

QStringList Settings::recentFiles() {
    QStringList files;
    for (int i = 0; i < kRecentFileCount; ++i) {
        const QString path = Profile::readString(kRecent, recentKey(i));
        if (!path.isEmpty())
            files.append(path);
    }
    return files;
}

void Settings::setRecentFiles(const QStringList& files) {
    for (int i = 0; i < kRecentFileCount; ++i)
        Profile::writeString(kRecent, recentKey(i), i < files.size() ? files.at(i) : QString());
    tell(Key::RecentFiles);
}

QByteArray Settings::windowGeometry() {
    return QByteArray::fromBase64(
        Profile::readString(kWindow, QStringLiteral("Geometry")).toLatin1());
}

void Settings::setWindowGeometry(const QByteArray& geometry) {
    Profile::writeString(kWindow, QStringLiteral("Geometry"),
                         QString::fromLatin1(geometry.toBase64()));
    tell(Key::WindowGeometry);
}

IncassoSettings Settings::incasso() {
    IncassoSettings s;
    s.creditorName = Profile::readString(kIncasso, QStringLiteral("CreditorName"));
    s.creditorIban = Profile::readString(kIncasso, QStringLiteral("CreditorIban"));
    s.creditorBic = Profile::readString(kIncasso, QStringLiteral("CreditorBic"));
    s.creditorId = Profile::readString(kIncasso, QStringLiteral("CreditorId"));
    s.ibanField = Profile::readString(kIncasso, QStringLiteral("IbanField"));
    s.bicField = Profile::readString(kIncasso, QStringLiteral("BicField"));
    s.mandateField = Profile::readString(kIncasso, QStringLiteral("MandateField"));
    s.mandateDateField = Profile::readString(kIncasso, QStringLiteral("MandateDateField"));
    s.firstField = Profile::readString(kIncasso, QStringLiteral("FirstField"));
    s.format = Profile::readString(kIncasso, QStringLiteral("Format"), kPain08) == kPain02
                   ? IncassoSettings::Format::Pain00800102
                   : IncassoSettings::Format::Pain00800108;
    return s;
}

void Settings::setIncasso(const IncassoSettings& s) {
    Profile::writeString(kIncasso, QStringLiteral("CreditorName"), s.creditorName);
    Profile::writeString(kIncasso, QStringLiteral("CreditorIban"), s.creditorIban);
    Profile::writeString(kIncasso, QStringLiteral("CreditorBic"), s.creditorBic);
    Profile::writeString(kIncasso, QStringLiteral("CreditorId"), s.creditorId);
    Profile::writeString(kIncasso, QStringLiteral("IbanField"), s.ibanField);
    Profile::writeString(kIncasso, QStringLiteral("BicField"), s.bicField);
    Profile::writeString(kIncasso, QStringLiteral("MandateField"), s.mandateField);
    Profile::writeString(kIncasso, QStringLiteral("MandateDateField"), s.mandateDateField);
    Profile::writeString(kIncasso, QStringLiteral("FirstField"), s.firstField);
    Profile::writeString(kIncasso, QStringLiteral("Format"),
                         s.format == IncassoSettings::Format::Pain00800102 ? kPain02 : kPain08);
    tell(Key::Incasso);
}
