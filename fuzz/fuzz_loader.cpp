// Any bytes handed to the loader end in a loaded administration or an archive error. A loaded
// administration must also save, and what it saves must load again to the same size.
#include "core/document/CKorvelDoc.h"
#include "core/format/Clock.h"
#include "core/format/DateFormat.h"
#include "platform/Archive.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Loads the bytes into a fresh document; false when the loader reported an archive error.
bool load(CKorvelDoc& doc, std::string bytes) {
    Archive ar = Archive::forLoading(std::move(bytes), "fuzz.kvl");
    try {
        doc.Serialize(ar);
    } catch (const ArchiveException&) {
        return false;
    }
    return true;
}

std::string store(CKorvelDoc& doc) {
    Archive ar = Archive::forStoring("fuzz.kvl");
    doc.Serialize(ar);
    return ar.takeData();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Clock::pinToday(20260315);
    DateFormat::setSetting("Standard");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CKorvelDoc doc;
    if (!load(doc, std::string(reinterpret_cast<const char*>(data), size)))
        return 0;
    const std::string saved = store(doc);
    CKorvelDoc again;
    if (!load(again, saved)) {
        std::fprintf(stderr, "a saved administration does not load again\n");
        std::abort();
    }
    if (store(again).size() != saved.size()) {
        std::fprintf(stderr, "a saved administration changes size when loaded and saved again\n");
        std::abort();
    }
    return 0;
}
