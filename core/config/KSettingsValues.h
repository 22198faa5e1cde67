#pragma once

#include <QString>

#include <optional>
#include <string>

// The values of the settings sheet ("Instellingen") and how they are stored: the start-up
// values of the page "Algemeen" and the date format of the page "Datum".
struct KGeneralSettings {
    bool loadAtStart = false;    // "&Ledenlijst laden bij starten"
    bool fixedStartFile = false; // "&Vast bestand" against "Via &parameter"
    QString startFile;           // "Ledenbestand:"
    QString dataFolder;          // "Gegevensmap:"
    int backupGenerations = 10;  // "Reservekopieën bewaren:"
    int recoveryMinutes = 5;     // "Herstelbestand elke ... minuten"

    // As the profile holds them now.
    static KGeneralSettings read();

    // The controls' enabled states: the two choices with loading at start, the start file with
    // the fixed file as well.
    bool choicesEnabled() const { return loadAtStart; }
    bool startFileEnabled() const { return loadAtStart && fixedStartFile; }

    bool operator==(const KGeneralSettings&) const = default;
};

namespace KDateSetting {

// The three choices of the page "Datum".
enum class Choice { Standard, System, Other };

// "&Standaard" for an empty or "Standard" format, "S&ysteem" for exactly "System", else
// "&Anders".
Choice choiceOf(const std::string& format);
// The format stored for a choice; "&Anders" stores the text of the format edit.
std::string formatOf(Choice choice, const std::string& custom);
// 22 September 2001 as the choice shows it.
std::string sample(Choice choice, const std::string& custom);

} // namespace KDateSetting

// Writes loadstart, fixed, Startfile and, when the sheet's data folder differs from the one it
// opened with, Datadir, in this order; and, when the page "Datum" was opened, DateFormat, after
// which the program shows and reads dates in the new format. Nothing else is written: a data
// folder the user never set stays unset (it follows the home folder).
void SaveSettings(const KGeneralSettings& general, const KGeneralSettings& opened,
                  const std::optional<std::string>& dateFormat);

// The chosen start file with the extension "kvl": unless its name has it already (case aside)
// an extension of at most three characters is replaced and anything else gets ".kvl" appended.
// Only the file's own name counts: a dot in a folder's name is left alone.
QString startFileWithExtension(const QString& chosen);
