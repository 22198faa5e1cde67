// The document tells every change it undergoes, whatever edit made it: a listener that keeps
// its own copy of the members and schemes from the notices alone is never behind the document.
#include "core/KProgressReport.h"
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "platform/Archive.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using Ids = std::vector<std::int32_t>;

std::string bytesOf(const KMember& member) {
    KMember copy = member;
    Archive ar = Archive::forStoring();
    copy.Serialize(ar, 11);
    return ar.takeData();
}

// What a view of the document would show, kept up to date only from what it is told: the
// members by id, as their file bytes, and the schemes. A reset or a new configuration shows
// everything anew, as the main view rebuilds its grid.
class MirrorListener : public KDocListener {
public:
    explicit MirrorListener(const CKorvelDoc& doc) : m_doc(doc) { rebuild(); }

    void documentReset() override { rebuild(); }
    void configurationChanged() override { rebuild(); }
    void schemesChanged() override { copySchemes(); }
    void membersChanged(const KMemberChange& change) override {
        for (std::int32_t id : change.removed) {
            EXPECT_EQ(m_doc.findMember(id), nullptr) << "told removed, still there: " << id;
            m_members.erase(id);
        }
        for (const Ids* ids : {&change.added, &change.changed})
            for (std::int32_t id : *ids) {
                const KMember* member = m_doc.findMember(id);
                ASSERT_NE(member, nullptr) << "told of a member that is not there: " << id;
                m_members[id] = bytesOf(*member);
            }
    }

    // Empty when the copy shows what the document holds; else what differs.
    std::string behind() const {
        std::map<std::int32_t, std::string> now;
        for (const KMember& member : m_doc.members())
            now[member.id()] = bytesOf(member);
        std::string differs;
        for (const auto& [id, bytes] : now) {
            const auto kept = m_members.find(id);
            if (kept == m_members.end())
                differs += "member " + std::to_string(id) + " not heard of; ";
            else if (kept->second != bytes)
                differs += "member " + std::to_string(id) + " changed unheard; ";
        }
        for (const auto& entry : m_members)
            if (!now.count(entry.first))
                differs += "member " + std::to_string(entry.first) + " gone unheard; ";
        if (m_schemes != schemeTexts())
            differs += "schemes changed unheard; ";
        return differs;
    }

private:
    void rebuild() {
        m_members.clear();
        for (const KMember& member : m_doc.members())
            m_members[member.id()] = bytesOf(member);
        copySchemes();
    }
    void copySchemes() { m_schemes = schemeTexts(); }
    std::vector<std::string> schemeTexts() const {
        std::vector<std::string> texts;
        for (const KContribution& s : m_doc.schemes()) {
            std::string text = std::to_string(s.id()) + " " + s.description() + " " +
                               std::to_string(s.date().value());
            for (const KContrPart& part : s.parts())
                text += " " + part.name() + "=" + std::to_string(part.amount());
            texts.push_back(text);
        }
        return texts;
    }

    const CKorvelDoc& m_doc;
    std::map<std::int32_t, std::string> m_members;
    std::vector<std::string> m_schemes;
};

class DocumentNoticesTest : public DocFixture {
protected:
    DocumentNoticesTest() {
        doc.OnNewDocument();
        jansen = addMember(doc, "Piet Jansen").id();
        devries = addMember(doc, "Els de Vries").id();
        bakker = addMember(doc, "Anna Bakker").id();
        s2024 = scheme(2024);
        KEdit::addScheme(doc, s2024);
        KEdit::applyScheme(doc, s2024.id(), {jansen, bakker});
    }

    // A scheme of one part that every member owes; not yet in the document.
    KContribution scheme(std::int32_t year) {
        KContribution s(doc.handOutId());
        s.setDescription("Contributie " + std::to_string(year));
        s.setDate(KDateValue(year * 10000 + 101));
        s.AddPart(KContrPart("Contributie", doc.handOutId(), 80.0));
        return s;
    }

    KContribution s2024;
    std::int32_t jansen = 0, devries = 0, bakker = 0;
};

TEST_F(DocumentNoticesTest, EveryEditIsHeardDoneUndoneAndRedone) {
    struct Edit {
        const char* name;
        std::function<void()> make;
    };
    const std::vector<Edit> edits = {
        {"add a member", [&] { KEdit::addMember(doc, makeMember(doc, "Aaltje Aarts")); }},
        {"change a member",
         [&] {
             KMember m = *doc.findMember(devries);
             m.addPayment(KPayment(12.5, KDateValue(20240102), "kas"));
             KEdit::replaceMember(doc, devries, m);
         }},
        {"change several members",
         [&] {
             std::vector<std::pair<std::int32_t, KMember>> contents;
             for (std::int32_t id : {jansen, bakker}) {
                 KMember m = *doc.findMember(id);
                 m.addPayment(KPayment(10.0, KDateValue(20240105), "bank"));
                 contents.emplace_back(id, m);
             }
             KEdit::replaceMembers(doc, QStringLiteral("betalingen boeken"), contents);
         }},
        {"delete members", [&] { KEdit::deleteMembers(doc, {bakker, 999, jansen}); }},
        {"add a scheme", [&] { KEdit::addScheme(doc, scheme(2025)); }},
        {"change a scheme, carried through",
         [&] {
             KContribution dearer = s2024;
             dearer.setDescription("Contributie 2024 (nieuw)");
             KEdit::replaceScheme(doc, s2024.id(), dearer, true);
         }},
        {"delete a scheme with its charges",
         [&] { KEdit::deleteScheme(doc, s2024.id(), true); }},
        {"execute a scheme", [&] { KEdit::applyScheme(doc, s2024.id(), {devries, jansen}); }},
        {"replace the fields",
         [&] {
             KFieldList fields = doc.fields();
             fields.removeFirst([](const KField& f) { return f.meaning() == FieldMeaning::City; });
             KEdit::replaceFields(doc, fields, doc.tabs());
         }},
        {"replace the tabs", [&] { KEdit::replaceTabs(doc, KTabList()); }},
        {"replace the member types",
         [&] {
             KEdit::replaceMemberTypes(doc, {"Lid", "Steunlid", "Erelid"},
                                       {{devries, "Steunlid"}, {4242, "Lid"}});
         }},
        {"import members",
         [&] {
             KImportChanges changes;
             const KField iban(doc.handOutId(), FieldType::Text, FieldMeaning::Other, "IBAN");
             changes.fields.push_back({iban, "Persoonlijk"});
             changes.memberTypes = {"Jeugd"};
             auto newcomer = std::make_unique<KMember>(makeMember(doc, "Bram Aarts", "Jeugd"));
             newcomer->values().insert(iban);
             changes.added.push_back(std::move(newcomer));
             KMember updated = *doc.findMember(devries);
             updated.values().insert(iban);
             updated.setTextByMeaning(FieldMeaning::City, "Zwolle");
             changes.updated.emplace_back(devries, updated);
             KEdit::importMembers(doc, std::move(changes));
         }},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        MirrorListener mirror(doc);
        doc.addListener(&mirror);
        const int steps = doc.undoStack().index();
        edit.make();
        ASSERT_EQ(doc.undoStack().index(), steps + 1);
        EXPECT_EQ(mirror.behind(), "");
        doc.undoStack().undo();
        EXPECT_EQ(mirror.behind(), "") << "after undo";
        doc.undoStack().redo();
        EXPECT_EQ(mirror.behind(), "") << "after redo";
        doc.undoStack().undo();
        EXPECT_EQ(mirror.behind(), "") << "after the second undo";
        doc.removeListener(&mirror);
    }
}

// Answers "stop" at the first question.
struct StopAtOnce : KProgressReport {
    bool advance(std::int64_t) override { return false; }
};

TEST_F(DocumentNoticesTest, AStoppedExecutionIsNeverHeard) {
    for (int i = 0; i < 600; ++i)
        KEdit::addMember(doc, makeMember(doc, "Lid " + std::to_string(i)));
    struct Counting : KDocListener {
        void membersChanged(const KMemberChange&) override { ++told; }
        int told = 0;
    } counting;
    doc.addListener(&counting);
    StopAtOnce stop;
    Ids everybody;
    for (const KMember& m : doc.members())
        everybody.push_back(m.id());
    const KEdit::Applied applied = KEdit::applyScheme(doc, s2024.id(), everybody, &stop);
    EXPECT_TRUE(applied.result.isStopped());
    EXPECT_EQ(counting.told, 0);
    doc.removeListener(&counting);
}

TEST_F(DocumentNoticesTest, TheMemberIndexFollowsInsertionsAndRemovals) {
    auto indexed = [&] {
        // Every member is found by its id; the first of an id wins, as a search from the head
        // of the list finds it.
        std::map<std::int32_t, const KMember*> first;
        for (const KMember& m : doc.members())
            first.emplace(m.id(), &m);
        for (const auto& [id, member] : first)
            if (doc.findMember(id) != member)
                return false;
        return true;
    };
    ASSERT_TRUE(indexed());
    const KMember newcomer = makeMember(doc, "Zoë Zwart");
    KEdit::addMember(doc, newcomer);
    EXPECT_TRUE(indexed());
    KEdit::deleteMembers(doc, {jansen});
    EXPECT_EQ(doc.findMember(jansen), nullptr);
    EXPECT_TRUE(indexed());
    doc.undoStack().undo();
    ASSERT_NE(doc.findMember(jansen), nullptr);
    EXPECT_EQ(doc.findMember(jansen)->name(), "Piet Jansen");
    doc.undoStack().undo();
    EXPECT_EQ(doc.findMember(newcomer.id()), nullptr);
    EXPECT_TRUE(indexed());

    // A second member of an id, as only a damaged file has, that sorts in front of the first:
    // it is the one found while it is there, and the first is found again once it is gone.
    KMember twin = makeMember(doc, "Aaltje Tweeling");
    twin.setId(bakker);
    EXPECT_TRUE(doc.memberIdsUnique());
    KEdit::addMember(doc, twin);
    EXPECT_FALSE(doc.memberIdsUnique());
    EXPECT_EQ(doc.findMember(bakker)->name(), "Aaltje Tweeling");
    EXPECT_TRUE(indexed());
    KEdit::deleteMembers(doc, {bakker});
    EXPECT_EQ(doc.findMember(bakker)->name(), "Anna Bakker");
    EXPECT_TRUE(doc.memberIdsUnique());
    doc.undoStack().undo();
    EXPECT_EQ(doc.findMember(bakker)->name(), "Aaltje Tweeling");
    doc.undoStack().undo();
    EXPECT_EQ(doc.findMember(bakker)->name(), "Anna Bakker");
    EXPECT_TRUE(indexed());
}

} // namespace
