#include "config/KSetGeneral.h"

#include "core/settings/Settings.h"
#include "platform/CodePage.h"
#include "tolvex7/FileUtils.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// selectDir's flag that shows the chosen folder's path.
constexpr unsigned long kShowStatusText = 4;

std::optional<QString> libraryFolder(const QString& title, const QString& start) {
    const auto chosen = selectDir(CodePage::fromQString(title).c_str(), kShowStatusText,
                                  CodePage::fromQString(start).c_str());
    if (!chosen)
        return std::nullopt;
    return CodePage::toQString(*chosen);
}

std::optional<QString> libraryFile(const QString& title, const QString& start) {
    static const char filter[] = "Korvel bestanden (*.kvl)\0*.KVL\0";
    const auto chosen = selectFile(CodePage::fromQString(title).c_str(), filter,
                                   CodePage::fromQString(start).c_str(), 1);
    if (!chosen)
        return std::nullopt;
    return CodePage::toQString(*chosen);
}

} // namespace

KSetGeneral::KSetGeneral(QWidget* parent)
    : QWidget(parent), m_pickFolder(libraryFolder), m_pickFile(libraryFile) {
    build();
}

void KSetGeneral::build() {
    m_loadAtStart = new QCheckBox(QStringLiteral("&Ledenlijst laden bij starten"), this);
    m_fixed = new QRadioButton(QStringLiteral("&Vast bestand"), this);
    m_parameter = new QRadioButton(QStringLiteral("Via &parameter"), this);
    m_startFile = new QLineEdit(this);
    m_dataFolder = new QLineEdit(this);
    m_browseFile = new QToolButton(this);
    m_browseFolder = new QToolButton(this);
    m_browseFile->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    m_browseFolder->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    m_browseFile->setToolTip(QStringLiteral("Kies het ledenbestand"));
    m_browseFolder->setToolTip(QStringLiteral("Kies de gegevensmap"));
    m_browseFile->setAccessibleName(m_browseFile->toolTip());
    m_browseFolder->setAccessibleName(m_browseFolder->toolTip());
    const int editWidth = fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40;
    m_startFile->setMinimumWidth(editWidth);
    m_dataFolder->setMinimumWidth(editWidth);

    auto* startFileLabel = new QLabel(QStringLiteral("Ledenbestand:"), this);
    startFileLabel->setBuddy(m_startFile);
    auto* dataFolderLabel = new QLabel(QStringLiteral("Gegevensmap:"), this);
    dataFolderLabel->setBuddy(m_dataFolder);

    const int indent = fontMetrics().horizontalAdvance(QLatin1Char('x')) * 3;
    auto* choices = new QHBoxLayout;
    choices->addSpacing(indent);
    choices->addWidget(m_fixed);
    choices->addSpacing(indent);
    choices->addWidget(m_parameter);
    choices->addStretch(1);

    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(0, indent);
    grid->addWidget(startFileLabel, 0, 1);
    grid->addWidget(m_startFile, 0, 2);
    grid->addWidget(m_browseFile, 0, 3);
    grid->setRowMinimumHeight(1, fontMetrics().height());
    grid->addWidget(dataFolderLabel, 2, 0, 1, 2);
    grid->addWidget(m_dataFolder, 2, 2);
    grid->addWidget(m_browseFolder, 2, 3);
    grid->setColumnStretch(2, 1);

    m_generations = new QSpinBox(this);
    m_generations->setRange(0, 999);
    m_generations->setSpecialValueText(QStringLiteral("geen"));
    m_recovery = new QSpinBox(this);
    m_recovery->setRange(0, 999);
    m_recovery->setSpecialValueText(QStringLiteral("nooit"));
    m_recovery->setSuffix(QStringLiteral(" minuten"));
    auto* generationsLabel = new QLabel(QStringLiteral("&Reservekopieën bewaren:"), this);
    generationsLabel->setBuddy(m_generations);
    auto* recoveryLabel = new QLabel(QStringLiteral("&Herstelbestand elke:"), this);
    recoveryLabel->setBuddy(m_recovery);
    m_generations->setToolTip(QStringLiteral("Zoveel eerdere versies van het ledenbestand "
                                             "blijven bewaard in de map \"NAAM reservekopieën\""));
    m_recovery->setToolTip(QStringLiteral("Zo vaak worden niet bewaarde wijzigingen "
                                          "vastgelegd, om ze na een storing terug te zetten"));
    grid->setRowMinimumHeight(3, fontMetrics().height());
    grid->addWidget(generationsLabel, 4, 0, 1, 2);
    grid->addWidget(m_generations, 4, 2, Qt::AlignLeft);
    grid->addWidget(recoveryLabel, 5, 0, 1, 2);
    grid->addWidget(m_recovery, 5, 2, Qt::AlignLeft);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_loadAtStart);
    layout->addLayout(choices);
    layout->addLayout(grid);
    layout->addStretch(1);

    connect(m_loadAtStart, &QCheckBox::toggled, this, &KSetGeneral::updateEnabled);
    connect(m_fixed, &QRadioButton::toggled, this, &KSetGeneral::updateEnabled);
    connect(m_browseFile, &QToolButton::clicked, this, &KSetGeneral::browseStartFile);
    connect(m_browseFolder, &QToolButton::clicked, this, &KSetGeneral::browseDataFolder);
    updateEnabled();
}

void KSetGeneral::setValues(const KGeneralSettings& values) {
    m_loadAtStart->setChecked(values.loadAtStart);
    (values.fixedStartFile ? m_fixed : m_parameter)->setChecked(true);
    m_startFile->setText(values.startFile);
    m_dataFolder->setText(values.dataFolder);
    m_generations->setValue(values.backupGenerations);
    m_recovery->setValue(values.recoveryMinutes);
    updateEnabled();
}

KGeneralSettings KSetGeneral::values() const {
    KGeneralSettings values;
    values.loadAtStart = m_loadAtStart->isChecked();
    values.fixedStartFile = m_fixed->isChecked();
    values.startFile = m_startFile->text();
    values.dataFolder = m_dataFolder->text();
    values.backupGenerations = m_generations->value();
    values.recoveryMinutes = m_recovery->value();
    return values;
}

void KSetGeneral::setPickers(Picker folder, Picker file) {
    m_pickFolder = std::move(folder);
    m_pickFile = std::move(file);
}

void KSetGeneral::updateEnabled() {
    const KGeneralSettings now = values();
    m_fixed->setEnabled(now.choicesEnabled());
    m_parameter->setEnabled(now.choicesEnabled());
    m_startFile->setEnabled(now.startFileEnabled());
    m_browseFile->setEnabled(now.startFileEnabled());
}

void KSetGeneral::browseDataFolder() {
    if (const auto folder = m_pickFolder(QStringLiteral("Default locatie van alle gegevensbestanden"),
                                         m_dataFolder->text()))
        m_dataFolder->setText(QDir::toNativeSeparators(*folder));
}

void KSetGeneral::browseStartFile() {
    // The data folder as the program stores it, with a separator at the end.
    QString start = QDir::toNativeSeparators(Settings::dataFolder());
    if (!start.endsWith(QDir::separator()))
        start += QDir::separator();
    if (const auto file = m_pickFile(QStringLiteral("Vast ledenbestand"), start))
        m_startFile->setText(startFileWithExtension(*file));
}
