#include "core/config/KSettingsValues.h"
#include "core/format/DateFormat.h"
#include "core/settings/Settings.h"
#include "platform/Profile.h"
#include "tests/support/Pinned.h"

#include <QDate>
#include <QDir>
#include <QLocale>

#include <gtest/gtest.h>

namespace {

bool profileHas(const char* key) {
    return Profile::open()->contains(QStringLiteral("Settings/") + QLatin1String(key));
}

} // namespace

TEST(DateSettingTest, ChoicesAndTheSampleOf22September2001) {
    using KDateSetting::Choice;
    PinnedLocale locale("nl_NL");
    struct Case {
        const char* stored;
        Choice choice;
        const char* sample; // nullptr: the locale's short date
    };
    const Case cases[] = {
        {"", Choice::Standard, "20010922"},
        {"Standard", Choice::Standard, "20010922"},
        {"System", Choice::System, nullptr},
        {"standard", Choice::Other, "standard"}, // only the exact word is the eight digits
        {"%d-%m-%Y", Choice::Other, "22-09-2001"},
        {"%d %B %Y", Choice::Other, "22 September 2001"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(KDateSetting::choiceOf(c.stored), c.choice);
        const std::string expected =
            c.sample ? c.sample
                     : QLocale().toString(QDate(2001, 9, 22), QLocale::ShortFormat).toStdString();
        EXPECT_EQ(KDateSetting::sample(c.choice, c.stored), expected);
    }
    EXPECT_EQ(KDateSetting::formatOf(Choice::Standard, "%d"), "Standard");
    EXPECT_EQ(KDateSetting::formatOf(Choice::System, "%d"), "System");
    EXPECT_EQ(KDateSetting::formatOf(Choice::Other, "%d"), "%d");
}

TEST(SaveSettingsTest, WritesOnlyWhatTheSheetOwns) {
    TempProfile profile;
    PinnedDateFormat format("Standard");
    KGeneralSettings values;
    values.loadAtStart = false;
    values.fixedStartFile = true; // written as the control shows it, though disabled
    values.startFile = QStringLiteral("/leden/club.kvl");
    values.dataFolder = QStringLiteral("/leden");

    // The page "Datum" not opened: DateFormat stays absent.
    const KGeneralSettings opened = KGeneralSettings::read();
    SaveSettings(values, opened, std::nullopt);
    EXPECT_FALSE(profileHas("DateFormat"));
    EXPECT_FALSE(profileHas("Columns"));
    EXPECT_EQ(KGeneralSettings::read(), values);
    EXPECT_TRUE(profileHas("loadstart"));

    SaveSettings(values, values, std::string("%d-%m-%Y"));
    EXPECT_EQ(Settings::dateFormat(), "%d-%m-%Y");
    EXPECT_EQ(DateFormat::setting(), "%d-%m-%Y"); // in force at once
}

TEST(SaveSettingsTest, ADataFolderNeverSetIsNotWritten) {
    TempProfile profile;
    // The sheet shows the home folder for a data folder never set; OK leaves it unset, so it
    // follows the home folder wherever that is.
    const KGeneralSettings opened = KGeneralSettings::read();
    EXPECT_EQ(opened.dataFolder, QDir::toNativeSeparators(QDir::homePath()));
    KGeneralSettings values = opened;
    values.loadAtStart = true;
    SaveSettings(values, opened, std::nullopt);
    EXPECT_TRUE(profileHas("loadstart"));
    EXPECT_FALSE(profileHas("Datadir"));

    values.dataFolder = QStringLiteral("/leden");
    SaveSettings(values, opened, std::nullopt);
    EXPECT_EQ(Settings::dataFolder(), QStringLiteral("/leden"));
}

TEST(SaveSettingsTest, TheStartFileGetsTheExtensionKvl) {
    auto native = [](const char* path) {
        return QDir::toNativeSeparators(QString::fromLatin1(path));
    };
    EXPECT_EQ(startFileWithExtension(native("/leden/club")), native("/leden/club.kvl"));
    EXPECT_EQ(startFileWithExtension(native("/leden/club.txt")), native("/leden/club.kvl"));
    EXPECT_EQ(startFileWithExtension(native("/leden/club.KVL")), native("/leden/club.KVL"));
    EXPECT_EQ(startFileWithExtension(native("/leden/club.html")), native("/leden/club.html.kvl"));
    // A dot in a folder's name is no extension of the file.
    EXPECT_EQ(startFileWithExtension(native("/a.b/c")), native("/a.b/c.kvl"));
    EXPECT_EQ(startFileWithExtension(native("/x.y/club")), native("/x.y/club.kvl"));
}

// The incasso settings come back as written, texts with accents included, and a missing section
// gives the default labels and the current message version.
TEST(IncassoSettingsTest, RoundTripAndDefaults) {
    TempProfile profile;
    const IncassoSettings empty = Settings::incasso();
    EXPECT_EQ(empty.ibanLabel(), QStringLiteral("IBAN"));
    EXPECT_EQ(empty.mandateDateLabel(), QStringLiteral("Datum machtiging"));
    EXPECT_EQ(empty.format, IncassoSettings::Format::Pain00800108);

    IncassoSettings s;
    s.creditorName = QStringLiteral("TTV Één & Zoë");
    s.creditorIban = QStringLiteral("NL91ABNA0417164300");
    s.creditorId = QStringLiteral("NL79ZZZ999999990000");
    s.mandateField = QStringLiteral("Kenmerk");
    s.format = IncassoSettings::Format::Pain00800102;
    Settings::setIncasso(s);
    EXPECT_EQ(Settings::incasso(), s);
    EXPECT_EQ(Settings::incasso().mandateLabel(), QStringLiteral("Kenmerk"));
    EXPECT_EQ(Settings::incasso().bicLabel(), QStringLiteral("BIC"));
}
