#include "output/KOutputCommands.h"

#include "core/KQuestions.h"
#include "core/document/CKorvelDoc.h"
#include "core/format/Numbers.h"
#include "core/output/MemberExport.h"
#include "core/output/MemberMessages.h"
#include "core/output/OverviewPrint.h"
#include "core/settings/Settings.h"
#include "grid/CvsFlexGrid.h"
#include "output/KGridOfFlex.h"
#include "output/KOutputDialogs.h"
#include "output/KOutputWindows.h"
#include "platform/CodePage.h"
#include "platform/ComponentInterfaces.h"
#include "res/Commands.h"
#include "view/KMainView.h"

KOutputCommands::KOutputCommands(KCommandHost& host, std::unique_ptr<KOutputDialogs> dialogs,
                                 std::unique_ptr<KComponentSource> components)
    : m_host(host), m_dialogs(std::move(dialogs)), m_components(std::move(components)) {
    host.setHandler(Cmd::MemberExport, [this] { exportMembers(); });
    host.setHandler(Cmd::FilePrint, [this] { print(); });
    host.setHandler(Cmd::ViewFont, [this] { chooseFont(); });
    host.setHandler(Cmd::SendMessages, [this] { SendMessages(MemberMessages::kAllMembers); });
    host.setEnabledRule(Cmd::SendMessages, [&host] { return !host.document().members().empty(); });
    host.setHandler(Cmd::SendMessage, [this] { sendMessage(); });
    host.setHandler(Cmd::EditSelectAll, [this] { selectAll(); });
    host.setEnabledRule(Cmd::EditSelectAll, [&host] {
        const CvsFlexGrid& grid = host.mainView().grid();
        return grid.rowCount() > grid.fixedRowCount();
    });
}

KOutputCommands::~KOutputCommands() = default;

void KOutputCommands::exportMembers() {
    const KGridOfFlex grid(m_host.mainView().grid());
    const CKorvelDoc& doc = m_host.document();
    m_dialogs->runExport(MemberExport::listItems(grid), [&](const MemberExport::Choice& choice) {
        const std::optional<std::string> chosen = m_dialogs->exportFile();
        if (!chosen)
            return false;
        const QString path = CodePage::toQString(MemberExport::withTxtExtension(*chosen));
        const KResult written = MemberExport::write(path, grid, doc, choice, &m_dialogs->progress());
        if (written)
            m_host.questions().alert(QStringLiteral("Informatie opgeslagen in %1").arg(path));
        else if (written.isFailed())
            m_host.questions().alert(written.reason());
        return written.isDone();
    });
}

void KOutputCommands::print() {
    KComPtr<IKUnknown> basic;
    KComPtr<IKPrint> printer;
    const KStatus status =
        m_components->get(CLSID_KPrint, IID_IKPrint, basic.put(), printer.putVoid(),
                          [this](const QString& text) { m_dialogs->messageBox(text); });
    if (failed(status) || !printer) {
        m_host.questions().alert(
            QString::asprintf("GetComInterface fout %08lX",
                              static_cast<unsigned long>(static_cast<std::uint32_t>(status))));
        return;
    }
    const KGridOfFlex grid(m_host.mainView().grid());
    if (const KResult printed = OverviewPrint::print(*printer, grid); printed.isFailed())
        m_host.questions().alert(printed.reason());
    printer.reset();
    basic.reset();
}

void KOutputCommands::chooseFont() {
    const std::optional<MemberGridFont> font = m_dialogs->chooseFont(m_host.mainView().gridFont());
    if (!font)
        return;
    // The main view hears of it and rebuilds its grid in the new font.
    Settings::setGridFont(*font);
}

void KOutputCommands::sendMessage() {
    const CvsFlexGrid& grid = m_host.mainView().grid();
    const int row = grid.selectedRowAt(0);
    if (row < 0) {
        m_host.questions().alert(QStringLiteral("Selecteer eerst een lid."));
        return;
    }
    SendMessages(Numbers::leadingLong(grid.cellText(row, 0)));
}

void KOutputCommands::SendMessages(std::int32_t memberId) {
    const CKorvelDoc& doc = m_host.document();
    if (!MemberMessages::canSend(doc))
        return;
    m_dialogs->minimizeMainWindow();
    {
        KComPtr<IKUnknown> basic;
        KComPtr<IKCorrespondence> letters;
        const KStatus status = m_components->get(
            CLSID_KCorrespondence, IID_IKCorrespondence, basic.put(), letters.putVoid(),
            [this](const QString& text) { m_dialogs->messageBox(text); });
        if (!failed(status) && letters)
            MemberMessages::send(doc, memberId, *letters, &m_dialogs->progress());
        letters.reset();
        basic.reset();
    }
    m_dialogs->restoreMainWindow();
}

void KOutputCommands::selectAll() {
    m_host.mainView().selectAllRows();
}

std::unique_ptr<KAreaCommands> makeOutputCommands(KCommandHost& host) {
    return std::make_unique<KOutputCommands>(host, std::make_unique<KOutputWindows>(host.window()),
                                             std::make_unique<KPluginComponents>());
}
