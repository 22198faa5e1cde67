#pragma once

#include "core/config/KSettingsValues.h"

#include <QWidget>

#include <string>

class QLabel;
class QLineEdit;
class QRadioButton;

// The page "Datum" of the settings sheet: the date format, with a sample of 22 September 2001
// as it would show.
class KSetDatum : public QWidget {
    Q_OBJECT

public:
    explicit KSetDatum(QWidget* parent = nullptr);

    // The stored format: chooses the button, and the edit shows the text whatever the choice.
    void setFormat(const std::string& format);
    // The format to store for the choice the page shows.
    std::string format() const;
    // Whether the page has been shown; only then does OK store its format.
    bool opened() const { return m_opened; }

    QRadioButton* standardButton() const { return m_standard; }
    QRadioButton* systemButton() const { return m_system; }
    QRadioButton* otherButton() const { return m_other; }
    QLineEdit* formatEdit() const { return m_format; }
    QLabel* sample() const { return m_sample; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build();
    KDateSetting::Choice choice() const;
    void update();

    QRadioButton* m_standard = nullptr;
    QRadioButton* m_system = nullptr;
    QRadioButton* m_other = nullptr;
    QLineEdit* m_format = nullptr;
    QLabel* m_sample = nullptr;
    bool m_opened = false;
};
