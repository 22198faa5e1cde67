#include "output/KOutputCommands.h"

#include "core/KOutcome.h"
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

#include <QDir>
#include <QFileInfo>

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
    m_dialogs->runExport(MemberExport::listItems(grid), [&](const MemberExport::Choice& choice) {
        const std::optional<QString> chosen = m_dialogs->exportFile();
        if (!chosen)
            return false;
        const KResult result = exportTo(MemberExport::exportPath(*chosen), grid, choice);
        if (result.isStopped())
            m_host.showStatus(FrameText::stoppedMessage(QStringLiteral("Exporteren")));
        return result.isDone();
    });
}

KResult KOutputCommands::exportTo(const QString& path, const KGridSource& grid,
                                  const MemberExport::Choice& choice) {
    // Asked about the very file that will be written, once.
    if (QFileInfo::exists(path) &&
        !m_host.questions().yesNoDefaultNo(
            QStringLiteral("Het bestand %1 bestaat al.\n\nWilt u het vervangen?")
                .arg(QDir::toNativeSeparators(path))))
        return KResult::nothingToDo();
    const KResult written =
        MemberExport::write(path, grid, m_host.document(), choice, &m_dialogs->progress());
    if (written)
        m_host.questions().alert(
            QStringLiteral("Informatie opgeslagen in %1").arg(QDir::toNativeSeparators(path)));
    else if (written.isFailed())
        m_host.questions().alert(written.reason());
    return written;
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
    KResult result = KResult::nothingToDo();
    {
        KComPtr<IKUnknown> basic;
        KComPtr<IKCorrespondence> letters;
        const KStatus status = m_components->get(
            CLSID_KCorrespondence, IID_IKCorrespondence, basic.put(), letters.putVoid(),
            [this](const QString& text) { m_dialogs->messageBox(text); });
        if (!failed(status) && letters)
            result = MemberMessages::send(doc, memberId, *letters, &m_dialogs->progress());
        letters.reset();
        basic.reset();
    }
    m_dialogs->restoreMainWindow();
    if (result.isStopped())
        m_host.showStatus(FrameText::stoppedMessage(QStringLiteral("Berichten versturen")));
}

void KOutputCommands::selectAll() {
    m_host.mainView().selectAllRows();
}

std::unique_ptr<KAreaCommands> makeOutputCommands(KCommandHost& host) {
    return std::make_unique<KOutputCommands>(host, std::make_unique<KOutputWindows>(host.window()),
                                             std::make_unique<KPluginComponents>());
}
