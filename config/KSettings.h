#pragma once

#include "core/config/KSettingsValues.h"

#include <QDialog>

#include <optional>
#include <string>

class KSetDatum;
class KSetGeneral;
class QTabWidget;

// "Instellingen": the settings sheet with the pages "Algemeen" and "Datum", OK and Annuleren.
class KSettings : public QDialog {
    Q_OBJECT

public:
    explicit KSettings(QWidget* parent = nullptr);

    void setGeneral(const KGeneralSettings& values);
    void setDateFormat(const std::string& format);
    KGeneralSettings general() const;
    // The date format to store: only when the page "Datum" has been shown.
    std::optional<std::string> dateFormat() const;

    QTabWidget* pages() const { return m_pages; }
    KSetGeneral* generalPage() const { return m_general; }
    KSetDatum* datePage() const { return m_date; }

private:
    QTabWidget* m_pages = nullptr;
    KSetGeneral* m_general = nullptr;
    KSetDatum* m_date = nullptr;
};
