#pragma once

#include "core/format/KDateValue.h"
#include "core/model/FieldType.h"
#include "core/model/KSharedText.h"
#include "core/model/KSortedList.h"

#include <cstdint>
#include <memory>
#include <string>

class Archive;

// One typed field with one value. The same record is a field definition of the document (its
// value is the default a new member gets), a member's value for that field, and a condition of
// a contribution part. Only the value slot of the field's own type is meaningful.
class KField {
public:
    KField(); // id -1, no type, meaning Other, today's date
    KField(std::int32_t id, FieldType type, FieldMeaning meaning, std::string label);

    std::int32_t id() const { return m_id; }
    void setId(std::int32_t id) { m_id = id; }
    bool hasId(std::int32_t id) const { return m_id == id; }
    FieldType type() const { return m_type; }
    FieldMeaning meaning() const { return m_meaning; }
    void setMeaning(FieldMeaning meaning) { m_meaning = meaning; }
    const std::string& label() const { return m_label.str(); }
    void setLabel(std::string label) { m_label = KSharedText(std::move(label)); }

    const std::string& text() const { return m_text; }
    KDateValue date() const { return KDateValue(m_whole); }
    std::int32_t number() const { return m_whole; }
    double real() const { return m_real; }

    // Each setter stores only into a field of a type that holds that slot.
    void setText(std::string text);
    void setDate(KDateValue date);
    void setNumber(std::int32_t number);
    void setReal(double real);
    // The number of a Number or Boolean field, else -1.
    std::int32_t getNumber() const;
    // The date of a Date field, else 0.
    KDateValue getDate() const;

    // What the user sees, and what conditions compare.
    std::string displayText() const;
    // displayText() == text without building a text where the type allows it.
    bool displayTextEquals(const std::string& text) const;

    // Converts the value to the new type and sets it.
    void changeType(FieldType type);

    // Same label, type and meaning; id and value do not take part.
    bool isAlike(const KField& other) const {
        return m_type == other.m_type && m_meaning == other.m_meaning && m_label == other.m_label;
    }

    void Serialize(Archive& ar, int version);
    // Loads the field as a newly made KField() would load it, keeping this record's text buffer.
    void loadFresh(Archive& ar, int version);

private:
    std::int32_t m_id = -1;
    FieldType m_type = FieldType::None;
    FieldMeaning m_meaning = FieldMeaning::Other;
    // The date of a Date field or the number of a Number or Boolean field: a field holds one
    // whole-number value, whichever its type.
    std::int32_t m_whole = KDateValue().value();
    std::string m_text;
    KSharedText m_label;
    double m_real = 0.0;
};

// Field lists order by label (byte-wise), then type, then meaning.
template <> struct KListOrder<KField> {
    static bool before(const KField& a, const KField& b) {
        int c = a.label().compare(b.label());
        if (c != 0)
            return c < 0;
        if (a.type() != b.type())
            return a.type() < b.type();
        return a.meaning() < b.meaning();
    }
};

using KFieldList = KSortedList<KField>;
