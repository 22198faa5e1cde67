#pragma once

class CKorvelDoc;
class JsonWriter;
class KContribution;
class KField;
class KMember;

// Writes a whole administration as JSON, list by list in the document's own order.
class KDocDump {
public:
    explicit KDocDump(JsonWriter& out) : m_out(out) {}

    void write(const CKorvelDoc& doc);

private:
    void scheme(const KContribution& scheme);
    void field(const KField& field);
    void member(const KMember& member);

    JsonWriter& m_out;
};
