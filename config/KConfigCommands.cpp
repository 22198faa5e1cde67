#include "config/KConfigCommands.h"

#include "config/KConfigDialogBoxes.h"
#include "core/config/KColumnChoice.h"
#include "core/config/KFieldSetup.h"
#include "core/config/KMemberTypes.h"
#include "core/config/KSettingsValues.h"
#include "core/config/KTabNames.h"
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/settings/Settings.h"
#include "platform/CodePage.h"
#include "res/Commands.h"
#include "view/KMainView.h"

KConfigCommands::KConfigCommands(KCommandHost& host, std::unique_ptr<KConfigDialogs> dialogs)
    : m_host(host), m_dialogs(std::move(dialogs)) {
    if (!m_dialogs)
        m_dialogs = std::make_unique<KConfigDialogBoxes>(host.window(), host.questions());
    host.setHandler(Cmd::ConfigTabs, [this] { tabs(); });
    host.setHandler(Cmd::ConfigFields, [this] { fields(); });
    host.setHandler(Cmd::ConfigMemberTypes, [this] { memberTypes(); });
    host.setHandler(Cmd::ConfigColumns, [this] { columns(); });
    host.setHandler(Cmd::Settings, [this] { settings(); });
}

KConfigCommands::~KConfigCommands() = default;

void KConfigCommands::tabs() {
    CKorvelDoc& doc = m_host.document();
    const auto entries = m_dialogs->editTabs(KTabNames::listed(doc.tabs()));
    // OK on an unchanged list changes nothing, not even odd positions of an older file.
    if (entries && KTabNames::changes(doc.tabs(), *entries))
        KEdit::replaceTabs(doc, KTabNames::applied(doc.tabs(), *entries));
}

void KConfigCommands::fields() {
    CKorvelDoc& doc = m_host.document();
    KFieldSetup setup(doc.fields(), doc.tabs(), [&doc] { return doc.handOutId(); });
    if (!m_dialogs->editFields(setup))
        return;
    const KFieldList before = doc.fields();
    KEdit::replaceFields(doc, setup.fields(), setup.tabs());
    // The grid's columns name fields by label: a renamed field keeps its column, a deleted
    // one's column goes.
    const std::string columns = Settings::columns();
    const std::string renamed = KColumnChoice::afterFieldChanges(columns, before, doc.fields());
    if (renamed != columns)
        Settings::setColumns(renamed);
}

void KConfigCommands::memberTypes() {
    CKorvelDoc& doc = m_host.document();
    if (const auto names = m_dialogs->editMemberTypes(doc.memberTypes()))
        KMemberTypes::apply(doc, *names, m_host.questions());
}

void KConfigCommands::columns() {
    const CKorvelDoc& doc = m_host.document();
    // Without fields there is nothing to choose; the grid is rebuilt all the same.
    std::optional<std::vector<std::string>> shown;
    if (!doc.fields().empty())
        shown = m_dialogs->editColumns(
            KColumnChoice::fromColumnList(Settings::columns(), doc.fields()));
    if (shown)
        Settings::setColumns(KColumnChoice::columnList(*shown)); // the grid follows the setting
    else
        m_host.mainView().OnUpdate();
}

void KConfigCommands::settings() {
    QStringList labels;
    for (const KField& field : m_host.document().fields())
        labels.push_back(CodePage::toQString(field.label()));
    const KGeneralSettings opened = KGeneralSettings::read();
    const auto result =
        m_dialogs->editSettings(opened, Settings::dateFormat(), Settings::incasso(), labels);
    if (!result)
        return;
    // A new date format rebuilds the grid as the setting is written; the other values only
    // count at the next start.
    SaveSettings(result->general, opened, result->dateFormat);
    if (result->incasso)
        Settings::setIncasso(*result->incasso);
}
