// The output commands on a main view: export, printing, the grid font, messages to members and
// selecting every row, with the dialogs answered from a script and components of the test's own.
#include "core/document/CKorvelDoc.h"
#include "core/settings/Settings.h"
#include "grid/CvsFlexGrid.h"
#include "output/KOutputCommands.h"
#include "output/KOutputDialogs.h"
#include "platform/Profile.h"
#include "res/Commands.h"
#include "tests/support/Charges.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/GuiApplication.h"
#include "tests/support/RecordingComponents.h"
#include "tests/support/TestCommandHost.h"

#include "core/KProgressReport.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>

namespace {

using Strings = std::vector<std::string>;

// What happened, in order: the windows the commands asked for and the components they got.
using Log = std::vector<std::string>;

class ScriptedOutputDialogs : public KOutputDialogs {
public:
    explicit ScriptedOutputDialogs(Log& log) : m_log(log) {}

    // Each press of "&Exporteren" changes the choice first; the dialog closes when the export
    // reports success or the presses run out.
    std::deque<std::function<void(MemberExport::Choice&)>> presses;
    std::deque<std::optional<std::string>> files;
    std::optional<MemberGridFont> font;
    std::vector<std::string> items;
    MemberGridFont fontShown;

    bool runExport(const std::vector<std::string>& listItems,
                   const std::function<bool(const MemberExport::Choice&)>& exportNow) override {
        m_log.push_back("export dialog");
        items = listItems;
        while (!presses.empty()) {
            MemberExport::Choice choice;
            choice.items = listItems;
            choice.selected.assign(listItems.size(), true);
            presses.front()(choice);
            presses.pop_front();
            if (exportNow(choice))
                return true;
        }
        return false;
    }
    std::optional<std::string> exportFile() override {
        m_log.push_back("file dialog");
        if (files.empty())
            return std::nullopt;
        std::optional<std::string> file = files.front();
        files.pop_front();
        return file;
    }
    std::optional<MemberGridFont> chooseFont(const MemberGridFont& current) override {
        fontShown = current;
        return font;
    }
    void messageBox(const QString& text) override { m_log.push_back("box: " + text.toStdString()); }
    void minimizeMainWindow() override { m_log.push_back("minimize"); }
    void restoreMainWindow() override { m_log.push_back("restore"); }
    KProgressReport& progress() override { return m_progress; }

private:
    Log& m_log;
    KNoProgress m_progress;
};

// Hands out the test's own components, or fails as told.
class TestComponents : public KComponentSource {
public:
    explicit TestComponents(Log& log) : m_log(log) {}
    RecordingPrint print;
    RecordingCorrespondence letters;
    KStatus failure = KStatusCode::ok;

    KStatus get(const KGuid& clsid, const KGuid& iid, IKUnknown** basic, void** wanted,
                const Components::MessageSink& show) override {
        m_log.push_back("get " + clsid.toString().toStdString());
        if (failed(failure)) {
            show(Components::createMessage(failure));
            return failure;
        }
        IKUnknown* object = clsid == CLSID_KPrint ? static_cast<IKUnknown*>(&print)
                                                  : static_cast<IKUnknown*>(&letters);
        object->AddRef();
        *basic = object;
        return object->QueryInterface(iid, wanted);
    }

private:
    Log& m_log;
};

class OutputCommandsTest : public DocFixture {
protected:
    OutputCommandsTest() : DocFixture({.today = 20260315, .dateFormat = "%d-%m-%Y"}) {
        guiApplication();
        Profile::writeString(QStringLiteral("Settings"), QStringLiteral("Columns"),
                             QStringLiteral("Nr.|Naam|Woonplaats|Schuld"));
        doc.OnNewDocument();
        KMember cor = makeMember(doc, "Cor Claes");
        cor.setTextByMeaning(FieldMeaning::City, "Zwolle");
        cor.addCharge(chargeOf(7, 20250101, {{"Contributie", 50.0}, {"Competitie", 20.0}}));
        cor.addPayment(KPayment(60.0, KDateValue(20250201)));
        corId = addMember(doc, cor).id();
        annaId = addMember(doc, "Anna Bakker").id();
        host = std::make_unique<TestCommandHost>(doc);
        host->mainView().OnUpdate();
        auto d = std::make_unique<ScriptedOutputDialogs>(log);
        dialogs = d.get();
        auto c = std::make_unique<TestComponents>(log);
        components = c.get();
        commands = std::make_unique<KOutputCommands>(*host, std::move(d), std::move(c));
    }

    CvsFlexGrid& grid() { return host->mainView().grid(); }
    QStringList alerts() { return host->scripted().alerts(); }

    std::int32_t corId = 0;
    std::int32_t annaId = 0;
    Log log;
    std::unique_ptr<TestCommandHost> host;
    ScriptedOutputDialogs* dialogs = nullptr;
    TestComponents* components = nullptr;
    std::unique_ptr<KOutputCommands> commands;
};

TEST_F(OutputCommandsTest, ExportStaysOpenUntilAFileIsWritten) {
    QTemporaryDir dir;
    dialogs->presses = {[](MemberExport::Choice&) {},
                        [](MemberExport::Choice&) {},
                        [](MemberExport::Choice& c) { c.splitParts = true; }};
    dialogs->files = {std::nullopt, dir.filePath(QStringLiteral("geen/leden")).toStdString(),
                      dir.filePath(QStringLiteral("leden.csv")).toStdString()};
    ASSERT_TRUE(host->trigger(Cmd::MemberExport));
    EXPECT_EQ(dialogs->items, (Strings{"Naam", "Nr.", "Schuld", "Woonplaats"}));
    EXPECT_EQ(log, (Log{"export dialog", "file dialog", "file dialog", "file dialog"}));
    const QString written = dir.filePath(QStringLiteral("leden.txt"));
    EXPECT_EQ(alerts(), (QStringList{QStringLiteral("Kan bestand %1 niet openen om te schrijven.")
                                         .arg(dir.filePath(QStringLiteral("geen/leden.txt"))),
                                     QStringLiteral("Informatie opgeslagen in %1").arg(written)}));
    QFile file(written);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Nr.;Naam;Woonplaats;Schuld;Contributie;Competitie\n"
                                         "1;Anna Bakker;;0.00;0.00;0.00\n"
                                         "2;Cor Claes;Zwolle;10.00;0.00;10.00\n"));
}

TEST_F(OutputCommandsTest, PrintMakesFiveCallsAndSaysWhenOneFailed) {
    ASSERT_TRUE(host->trigger(Cmd::FilePrint));
    const std::vector<std::vector<std::string>> expected = {{"BeginJob", "Korvel", "Overzicht"},
                                                            {"SetTitleLine", "|Ledenoverzicht|"},
                                                            {"SetGrid", "3 rows"},
                                                            {"SetDateLine", "|15-03-2026|"},
                                                            {"PrintJob", "0"}};
    EXPECT_EQ(components->print.calls(), expected);
    EXPECT_TRUE(alerts().isEmpty());
    EXPECT_EQ(components->print.references(), 1) << "both references released";

    components->print.failOn("BeginJob");
    ASSERT_TRUE(host->trigger(Cmd::FilePrint));
    EXPECT_EQ(components->print.calls().size(), 10u);
    EXPECT_EQ(alerts(), QStringList{QStringLiteral("Probleem bij afdrukken")});
}

TEST_F(OutputCommandsTest, AMissingPrintComponentIsNamedByItsStatus) {
    // The real routine on a plug-in folder without the component.
    QTemporaryDir empty;
    auto d = std::make_unique<ScriptedOutputDialogs>(log);
    ScriptedOutputDialogs& shown = *d;
    KOutputCommands missing(*host, std::move(d), std::make_unique<KPluginComponents>(empty.path()));
    ASSERT_TRUE(host->trigger(Cmd::FilePrint));
    EXPECT_EQ(log, Log{"box: CoCreateInstance: Class is not registered"});
    EXPECT_EQ(alerts(), QStringList{QStringLiteral("GetComInterface fout 80040154")});

    // Messages to members: the box only, and the main window comes back.
    log.clear();
    ASSERT_TRUE(host->trigger(Cmd::SendMessages));
    EXPECT_EQ(log, (Log{"minimize", "box: CoCreateInstance: Class is not registered", "restore"}));
    EXPECT_EQ(alerts().size(), 1);
    (void)shown;
}

TEST_F(OutputCommandsTest, TheFontDialogWritesTheSixKeysAndTheGridFollows) {
    Settings::setGridFont(MemberGridFont{"Courier", 9.0, false, false, false, false});
    dialogs->font = std::nullopt;
    ASSERT_TRUE(host->trigger(Cmd::ViewFont));
    EXPECT_EQ(dialogs->fontShown.name, "Courier");
    EXPECT_EQ(Profile::readString(QStringLiteral("Font"), QStringLiteral("Size")), QStringLiteral("9.0"));

    dialogs->font = MemberGridFont{"DejaVu Serif", 12.5, true, false, true, true};
    ASSERT_TRUE(host->trigger(Cmd::ViewFont));
    EXPECT_EQ(Profile::readString(QStringLiteral("Font"), QStringLiteral("Name")), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(Profile::readString(QStringLiteral("Font"), QStringLiteral("Size")), QStringLiteral("12.5"));
    EXPECT_EQ(Profile::readInt(QStringLiteral("Font"), QStringLiteral("Bold")), 1);
    EXPECT_EQ(Profile::readInt(QStringLiteral("Font"), QStringLiteral("Italic")), 0);
    EXPECT_EQ(Profile::readInt(QStringLiteral("Font"), QStringLiteral("Strikethru")), 1);
    EXPECT_EQ(Profile::readInt(QStringLiteral("Font"), QStringLiteral("Underline")), 1);
    EXPECT_EQ(host->mainView().gridFont().size, 12.5);
    const GridTable& table = grid().table();
    EXPECT_EQ(table.styleFont(table.cellStyle(1, 1)).name, "DejaVu Serif") << "rebuilt in the new font";
}

TEST_F(OutputCommandsTest, MessagesForEveryMemberOrTheFirstSelected) {
    ASSERT_TRUE(host->trigger(Cmd::SendMessages));
    EXPECT_EQ(log, (Log{"minimize", "get {77533260-EDA8-11D6-B5A9-4581709A1D10}", "restore"}));
    EXPECT_EQ(components->letters.names().back(), "RunCorrespondence");
    EXPECT_EQ(components->letters.calls()[2][1], std::to_string(annaId));
    EXPECT_EQ(components->letters.references(), 1);

    // The context menu's command: nothing selected, nothing sent.
    const std::size_t calls = components->letters.calls().size();
    ASSERT_TRUE(host->trigger(Cmd::SendMessage));
    EXPECT_EQ(alerts(), QStringList{QStringLiteral("Selecteer eerst een lid.")});
    EXPECT_EQ(components->letters.calls().size(), calls);

    host->mainView().selectMemberRow(corId);
    ASSERT_TRUE(host->trigger(Cmd::SendMessage));
    std::vector<std::vector<std::string>> mine(components->letters.calls().begin() + static_cast<long>(calls),
                                               components->letters.calls().end());
    for (const auto& call : mine) {
        if (call.front() == "AddMemberValue") {
            EXPECT_EQ(call[1], std::to_string(corId));
        }
    }
    EXPECT_EQ(mine[mine.size() - 2], (std::vector<std::string>{"AddMemberValue", std::to_string(corId),
                                                               "Achterstallig", "0.00"}));

    // Only with members.
    CKorvelDoc empty;
    empty.OnNewDocument();
    TestCommandHost emptyHost(empty);
    KOutputCommands none(emptyHost, std::make_unique<ScriptedOutputDialogs>(log),
                         std::make_unique<TestComponents>(log));
    EXPECT_FALSE(emptyHost.enabled(Cmd::SendMessages));
    EXPECT_FALSE(emptyHost.enabled(Cmd::EditSelectAll));
    EXPECT_TRUE(emptyHost.enabled(Cmd::FilePrint));
}

TEST_F(OutputCommandsTest, SelectAllFromTheMenuWhileCtrlAIsLeftToPrinting) {
    host->mainView().show();
    ASSERT_TRUE(host->enabled(Cmd::EditSelectAll));
    ASSERT_TRUE(host->trigger(Cmd::EditSelectAll));
    EXPECT_EQ(grid().selectedRowCount(), 2);
    EXPECT_EQ(host->mainView().selectedMembers(), (std::vector<std::int32_t>{annaId, corId}));

    host->mainView().selectMemberRow(corId);
    QKeyEvent ctrlA(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    QApplication::sendEvent(grid().view(), &ctrlA);
    EXPECT_EQ(grid().selectedRowCount(), 1) << "the grid's own select-all does not run here";
}

} // namespace
