#pragma once

#include "core/config/KColumnChoice.h"
#include "core/config/KSettingsValues.h"
#include "core/config/KTabNames.h"
#include "core/settings/IncassoSettings.h"

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

class KFieldSetup;

// What the settings sheet hands back on OK.
struct KSettingsResult {
    KGeneralSettings general;
    // Only when the page "Datum" was shown.
    std::optional<std::string> dateFormat;
    // Only when the page "Incasso" was shown.
    std::optional<IncassoSettings> incasso;
};

// The configuration's dialogs as its commands see them: values in, values out, nothing on
// Cancel. The program shows the real dialogs; tests answer from a script.
class KConfigDialogs {
public:
    virtual ~KConfigDialogs() = default;

    // "Rubrieken": the items listed on OK, top to bottom.
    virtual std::optional<KTabNames::Entries> editTabs(const KTabNames::Entries& entries) = 0;
    // "Velden" on the working copies of setup; true on OK, when setup holds the result.
    virtual bool editFields(KFieldSetup& setup) = 0;
    // "Soorten leden": the names listed on OK.
    virtual std::optional<std::vector<std::string>> editMemberTypes(
        const std::vector<std::string>& names) = 0;
    // "Kolommen": the shown items on OK, in column order.
    virtual std::optional<std::vector<std::string>> editColumns(const KColumnChoice& choice) = 0;
    // "Instellingen"; fieldLabels are the administration's fields the page "Incasso" offers.
    virtual std::optional<KSettingsResult> editSettings(const KGeneralSettings& general,
                                                        const std::string& dateFormat,
                                                        const IncassoSettings& incasso,
                                                        const QStringList& fieldLabels) = 0;
};
