// What a damaged or hostile member file can make the loader do.
#include "core/document/CKorvelDoc.h"
#include "platform/Archive.h"
#include "tests/support/Bytes.h"
#include "tests/support/Pinned.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int32_t kMany = 200000;

// A version-11 file whose field list holds kMany records of the given make.
template <class Record> std::string manyFields(Record record) {
    Bytes file;
    file.marker(11).i32(0).i32(0).i32(0).i32(1).i32(kMany);
    for (std::int32_t i = 0; i < kMany; ++i)
        record(file, i);
    file.i32(0).i32(0);
    return file;
}

void load(CKorvelDoc& doc, const std::string& bytes) {
    Archive ar = Archive::forLoading(bytes, "many.kvl");
    doc.Serialize(ar);
}

} // namespace

// Lists are filled in n log n, so a count in the file cannot make loading take hours: records
// that compare equal used to be inserted one by one at the front of a growing list.
TEST(LoaderRobustness, ManyEqualRecordsLoadInFileOrderReversed) {
    PinnedToday today(20260315);
    CKorvelDoc doc;
    load(doc, manyFields([](Bytes& f, std::int32_t i) { f.i32(i).i32(0).i32(0).fstr(""); }));
    ASSERT_EQ(doc.fields().size(), static_cast<std::size_t>(kMany));
    EXPECT_EQ(doc.fields().front().id(), kMany - 1); // a new record goes in front of its equals
    EXPECT_EQ(doc.fields().at(kMany - 1).id(), 0);
}

TEST(LoaderRobustness, ManyRecordsInDescendingOrderLoadSorted) {
    PinnedToday today(20260315);
    CKorvelDoc doc;
    load(doc, manyFields([](Bytes& f, std::int32_t i) {
             char label[8];
             std::snprintf(label, sizeof label, "%07d", kMany - i);
             f.i32(i).i32(0).i32(0).fstr(label);
         }));
    ASSERT_EQ(doc.fields().size(), static_cast<std::size_t>(kMany));
    EXPECT_EQ(doc.fields().front().label(), "0000001");
    EXPECT_EQ(doc.fields().at(kMany - 1).label(), "0200000");
}

TEST(LoaderRobustness, AHugeCountWithoutRecordsIsADamagedFile) {
    CKorvelDoc doc;
    Bytes file;
    file.marker(11).i32(0).i32(0x7FFFFFFF).i32(1);
    Archive ar = Archive::forLoading(file, "huge.kvl");
    try {
        doc.Serialize(ar);
        FAIL() << "a count beyond the data loaded";
    } catch (const ArchiveException& e) {
        EXPECT_EQ(e.cause(), ArchiveException::endOfFile);
    }
}

// The loader sorts members by keys worked out once; the order must be that of inserting them
// one by one, equal names included.
TEST(LoaderRobustness, MembersSortedByKeyAsIfInsertedOneByOne) {
    KFieldList fields;
    fields.insert(KField(2, FieldType::Text, FieldMeaning::Name, "Naam"));
    fields.insert(KField(3, FieldType::Text, FieldMeaning::Address, "Adres"));
    const char* names[] = {"de Vries", "Jansen", "", "jansen", "Jansen ", "Bakker", "Jansen"};
    std::vector<std::unique_ptr<KMember>> bulk;
    KMemberList oneByOne;
    for (int i = 0; i < 400; ++i) {
        auto m = std::make_unique<KMember>(fields);
        m->setId(i);
        m->setTextByMeaning(FieldMeaning::Name, names[(i * 7 + i / 3) % 7]);
        auto copy = std::make_unique<KMember>(*m); // a copy does not take the id
        copy->setId(i);
        oneByOne.insert(std::move(copy));
        bulk.push_back(std::move(m));
    }
    KMemberList sorted;
    sorted.insertAll(std::move(bulk));
    ASSERT_EQ(sorted.size(), oneByOne.size());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        EXPECT_EQ(sorted.at(i).id(), oneByOne.at(i).id()) << i;
}
