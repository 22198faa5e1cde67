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
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
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
    std::deque<std::optional<QString>> files;
    bool stop = false;
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
    std::optional<QString> exportFile() override {
        m_log.push_back("file dialog");
        if (files.empty())
            return std::nullopt;
        std::optional<QString> file = files.front();
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
    KProgressReport& progress() override {
        if (stop)
            return m_stop;
        return m_progress;
    }

private:
    struct StopAtOnce : KProgressReport {
        bool advance(std::int64_t) override { return false; }
    };
    Log& m_log;
    KNoProgress m_progress;
    StopAtOnce m_stop;
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
    dialogs->files = {std::nullopt, dir.filePath(QStringLiteral("geen/leden")),
                      dir.filePath(QStringLiteral("leden.csv"))};
    ASSERT_TRUE(host->trigger(Cmd::MemberExport));
    EXPECT_EQ(dialogs->items, (Strings{"Naam", "Nr.", "Schuld", "Woonplaats"}));
    EXPECT_EQ(log, (Log{"export dialog", "file dialog", "file dialog", "file dialog"}));
    // The file chosen is the file written; only a name without an extension gets ".txt".
    const QString written = dir.filePath(QStringLiteral("leden.csv"));
    EXPECT_EQ(alerts(), (QStringList{QStringLiteral("Kan bestand %1 niet openen om te schrijven.")
                                         .arg(dir.filePath(QStringLiteral("geen/leden.txt"))),
                                     QStringLiteral("Informatie opgeslagen in %1").arg(written)}));
    QFile file(written);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Nr.;Naam;Woonplaats;Schuld;Contributie;Competitie\n"
                                         "1;Anna Bakker;;0.00;0.00;0.00\n"
                                         "2;Cor Claes;Zwolle;10.00;0.00;10.00\n"));
}

TEST_F(OutputCommandsTest, ExportAsksBeforeReplacingAFileAndTellsAStop) {
    QTemporaryDir dir;
    // A folder and a name with characters Windows-1252 lacks stay as they are.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromUtf8("Łódź")));
    const QString path = dir.filePath(QString::fromUtf8("Łódź/leden ömer"));
    const QString written = path + QStringLiteral(".txt");
    QFile old(written);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("oud");
    old.close();

    // "Nee": nothing written, the dialog stays; "Ja": replaced.
    dialogs->presses = {[](MemberExport::Choice&) {}, [](MemberExport::Choice&) {}};
    dialogs->files = {path, path};
    host->scripted().answerYesNo(false).answerYesNo(true);
    ASSERT_TRUE(host->trigger(Cmd::MemberExport));
    const auto& asked = host->scripted().asked();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].kind, QStringLiteral("yesNoDefaultNo"));
    EXPECT_EQ(asked[0].message,
              QStringLiteral("Het bestand %1 bestaat al.\n\nWilt u het vervangen?")
                  .arg(QDir::toNativeSeparators(written)));
    EXPECT_EQ(asked[2].message, QStringLiteral("Informatie opgeslagen in %1").arg(written));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_TRUE(old.readAll().startsWith("Nr.;Naam"));
    old.close();
    EXPECT_TRUE(host->statusMessages().empty());

    // Stopped: the file stays, and the status bar says so.
    dialogs->stop = true;
    dialogs->presses = {[](MemberExport::Choice&) {}};
    dialogs->files = {dir.filePath(QStringLiteral("nieuw.txt"))};
    ASSERT_TRUE(host->trigger(Cmd::MemberExport));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("nieuw.txt"))));
    ASSERT_EQ(host->statusMessages().size(), 1u);
    EXPECT_EQ(host->statusMessages().back(),
              QStringLiteral("Exporteren gestopt; er is niets veranderd."));
    EXPECT_TRUE(host->scripted().done());
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
    const auto named = [&mine](const std::string& name) {
        for (const auto& call : mine)
            if (call.size() > 3 && call[2] == name)
                return call[3];
        return std::string("(none)");
    };
    EXPECT_EQ(named("Achterstallig"), "0.00");
    EXPECT_EQ(named("Vandaag"), "15 maart 2026");
    EXPECT_EQ(named("Onderdelen"), "Contributie: 50.00\nCompetitie: 20.00");
    EXPECT_EQ(named("Vereniging"), "(none)") << "no club data in the profile";

    // Stopped while the data are collected: the component is not run, and the status bar says so.
    const auto runs = [this] {
        const std::vector<std::string> names = components->letters.names();
        return std::count(names.begin(), names.end(), "RunCorrespondence");
    };
    const auto before = runs();
    dialogs->stop = true;
    ASSERT_TRUE(host->trigger(Cmd::SendMessages));
    EXPECT_EQ(runs(), before);
    EXPECT_EQ(host->statusMessages().back(),
              QStringLiteral("Berichten versturen gestopt; er is niets veranderd."));
    dialogs->stop = false;

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
