#pragma once

class Archive;
class CKorvelDoc;

// The member file: writes format version 11, reads versions 1 to 11 and converts older
// contents to the current model. Throws ArchiveException when the data is damaged (endOfFile)
// or is no member file at all (badSchema).
class KMemberFile {
public:
    static constexpr int kCurrentVersion = 11;

    static void store(Archive& ar, CKorvelDoc& doc);
    static void load(Archive& ar, CKorvelDoc& doc);
};
