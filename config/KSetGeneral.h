#pragma once

#include "core/config/KSettingsValues.h"

#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QToolButton;

// The page "Algemeen" of the settings sheet: whether and which member file opens at start-up,
// the folder of the data files, how many backups a save keeps and how often a recovery file
// is written.
class KSetGeneral : public QWidget {
    Q_OBJECT

public:
    // Asks the user for a folder or a file: a title and where to start; nothing on cancel.
    using Picker = std::function<std::optional<QString>(const QString& title, const QString& start)>;

    explicit KSetGeneral(QWidget* parent = nullptr);

    void setValues(const KGeneralSettings& values);
    // As the controls show them; the choice of the fixed file also while it is disabled.
    KGeneralSettings values() const;

    // The pickers of the two browse buttons; the library's folder and file dialogs unless set.
    void setPickers(Picker folder, Picker file);
    // The browse buttons' work: a folder or a file chosen goes into its edit; the start file
    // gets the extension "kvl".
    void browseDataFolder();
    void browseStartFile();

    QCheckBox* loadAtStartBox() const { return m_loadAtStart; }
    QRadioButton* fixedButton() const { return m_fixed; }
    QRadioButton* parameterButton() const { return m_parameter; }
    QLineEdit* startFileEdit() const { return m_startFile; }
    QLineEdit* dataFolderEdit() const { return m_dataFolder; }
    QToolButton* startFileButton() const { return m_browseFile; }
    QToolButton* dataFolderButton() const { return m_browseFolder; }
    QSpinBox* generationsBox() const { return m_generations; }
    QSpinBox* recoveryBox() const { return m_recovery; }

private:
    void build();
    void updateEnabled();

    QCheckBox* m_loadAtStart = nullptr;
    QRadioButton* m_fixed = nullptr;
    QRadioButton* m_parameter = nullptr;
    QLineEdit* m_startFile = nullptr;
    QToolButton* m_browseFile = nullptr;
    QLineEdit* m_dataFolder = nullptr;
    QToolButton* m_browseFolder = nullptr;
    QSpinBox* m_generations = nullptr;
    QSpinBox* m_recovery = nullptr;
    Picker m_pickFolder;
    Picker m_pickFile;
};
