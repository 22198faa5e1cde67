#pragma once

#include "core/config/KSettingsValues.h"
#include "core/settings/IncassoSettings.h"

#include <QDialog>

#include <optional>
#include <string>

class KQuestions;
class KSetDatum;
class KSetGeneral;
class KSetIncasso;
class QTabWidget;

// "Instellingen": the settings sheet with the pages "Algemeen", "Datum" and "Incasso", OK and
// Annuleren. The page "Incasso" is checked when it is left and on OK: the sheet stays on it
// and says what is wrong.
class KSettings : public QDialog {
    Q_OBJECT

public:
    explicit KSettings(QWidget* parent = nullptr);

    // Where the sheet says what is wrong; a message box when none is set.
    void setQuestions(KQuestions* questions) { m_questions = questions; }

    void setGeneral(const KGeneralSettings& values);
    void setDateFormat(const std::string& format);
    KGeneralSettings general() const;
    // The date format to store: only when the page "Datum" has been shown.
    std::optional<std::string> dateFormat() const;
    // The stored incasso values and the labels of the administration's fields.
    void setIncasso(const IncassoSettings& values, const QStringList& fieldLabels);
    // The incasso values to store: only when the page "Incasso" has been shown.
    std::optional<IncassoSettings> incasso() const;

    void accept() override;

    QTabWidget* pages() const { return m_pages; }
    KSetGeneral* generalPage() const { return m_general; }
    KSetDatum* datePage() const { return m_date; }
    KSetIncasso* incassoPage() const { return m_incasso; }

private:
    // False, with the page shown and the reason told, when the page "Incasso" is wrong.
    bool incassoAcceptable();
    void pageChanged(int index);

    QTabWidget* m_pages = nullptr;
    KSetGeneral* m_general = nullptr;
    KSetDatum* m_date = nullptr;
    KSetIncasso* m_incasso = nullptr;
    KQuestions* m_questions = nullptr;
    int m_page = 0;
    bool m_turningBack = false;
};
