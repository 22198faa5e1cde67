#pragma once

#include <cstdint>
#include <functional>

class Archive;
class CKorvelDoc;

// The member file: writes format version 11, reads versions 1 to 11 and converts older
// contents to the current model. Throws ArchiveException when the data is damaged (endOfFile)
// or is no member file at all (badSchema).
class KMemberFile {
public:
    static constexpr int kCurrentVersion = 11;

    // membersDone hears every so many members how many are written; when it returns false the
    // writing stops there and the archive holds no usable file.
    static void store(Archive& ar, CKorvelDoc& doc,
                      const std::function<bool(std::int64_t)>& membersDone = {});
    static void load(Archive& ar, CKorvelDoc& doc);
};
