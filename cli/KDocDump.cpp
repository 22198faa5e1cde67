#include "cli/KDocDump.h"

#include "cli/JsonWriter.h"
#include "core/document/CKorvelDoc.h"

void KDocDump::write(const CKorvelDoc& doc) {
    m_out.beginObject();
    m_out.key("formatVersion");
    m_out.integer(doc.formatVersion());
    m_out.key("reserved");
    m_out.integer(doc.reserved());
    m_out.key("lastId");
    m_out.integer(doc.lastId());

    m_out.key("schemes");
    m_out.beginArray();
    for (const KContribution& s : doc.schemes())
        scheme(s);
    m_out.endArray();

    m_out.key("snapshots");
    m_out.beginArray();
    for (const KSnapshotPair& pair : doc.snapshots()) {
        m_out.beginObject();
        m_out.key("kind");
        m_out.integer(pair.kind());
        m_out.key("key");
        m_out.integer(pair.key());
        m_out.key("first");
        if (pair.kind() == 0 || pair.kind() == 1)
            member(pair.first());
        else
            m_out.null();
        m_out.key("second");
        if (pair.kind() == 0 || pair.kind() == 2)
            member(pair.second());
        else
            m_out.null();
        m_out.endObject();
    }
    m_out.endArray();

    m_out.key("fields");
    m_out.beginArray();
    for (const KField& f : doc.fields())
        field(f);
    m_out.endArray();

    m_out.key("tabs");
    m_out.beginArray();
    for (const KTabDef& tab : doc.tabs()) {
        m_out.beginObject();
        m_out.key("name");
        m_out.codePageString(tab.name());
        m_out.key("position");
        m_out.integer(tab.position());
        m_out.key("fieldIds");
        m_out.beginArray();
        for (std::int32_t id : tab.fieldIds())
            m_out.integer(id);
        m_out.endArray();
        m_out.endObject();
    }
    m_out.endArray();

    m_out.key("memberTypes");
    m_out.beginArray();
    for (const std::string& type : doc.memberTypes())
        m_out.codePageString(type);
    m_out.endArray();

    m_out.key("members");
    m_out.beginArray();
    for (const KMember& m : doc.members())
        member(m);
    m_out.endArray();
    m_out.endObject();
    m_out.flush();
}

void KDocDump::scheme(const KContribution& s) {
    m_out.beginObject();
    m_out.key("id");
    m_out.integer(s.id());
    m_out.key("description");
    m_out.codePageString(s.description());
    m_out.key("date");
    m_out.integer(s.date().value());
    m_out.key("parts");
    m_out.beginArray();
    for (const KContrPart& part : s.parts()) {
        m_out.beginObject();
        m_out.key("name");
        m_out.codePageString(part.name());
        m_out.key("id");
        m_out.integer(part.id());
        m_out.key("amount");
        m_out.real(part.amount());
        m_out.key("conditions");
        m_out.beginArray();
        for (const KField& condition : part.conditions())
            field(condition);
        m_out.endArray();
        m_out.endObject();
    }
    m_out.endArray();
    m_out.endObject();
}

void KDocDump::field(const KField& f) {
    m_out.beginObject();
    m_out.key("id");
    m_out.integer(f.id());
    m_out.key("type");
    m_out.integer(static_cast<std::int32_t>(f.type()));
    m_out.key("meaning");
    m_out.integer(static_cast<std::int32_t>(f.meaning()));
    m_out.key("label");
    m_out.codePageString(f.label());
    m_out.key("value");
    switch (f.type()) {
    case FieldType::Text:
        m_out.codePageString(f.text());
        break;
    case FieldType::Date:
        m_out.integer(f.date().value());
        break;
    case FieldType::Number:
    case FieldType::Boolean:
        m_out.integer(f.number());
        break;
    case FieldType::Quantity:
    case FieldType::Amount:
        m_out.real(f.real());
        break;
    default:
        m_out.null();
        break;
    }
    m_out.endObject();
}

void KDocDump::member(const KMember& m) {
    m_out.beginObject();
    m_out.key("id");
    m_out.integer(m.id());
    m_out.key("charges");
    m_out.beginArray();
    for (const KCharge& charge : m.charges()) {
        m_out.beginObject();
        m_out.key("scheme");
        if (charge.scheme())
            scheme(*charge.scheme());
        else
            m_out.null();
        m_out.key("text");
        m_out.codePageString(charge.text());
        m_out.endObject();
    }
    m_out.endArray();
    m_out.key("payments");
    m_out.beginArray();
    for (const KPayment& payment : m.payments()) {
        m_out.beginObject();
        m_out.key("amount");
        m_out.real(payment.amount());
        m_out.key("date");
        m_out.integer(payment.date().value());
        m_out.key("remarks");
        m_out.codePageString(payment.remarks());
        m_out.endObject();
    }
    m_out.endArray();
    m_out.key("values");
    m_out.beginArray();
    for (const KField& value : m.values())
        field(value);
    m_out.endArray();
    m_out.endObject();
}
