#include "core/model/KField.h"

#include "core/format/AmountText.h"
#include "core/format/Numbers.h"
#include "core/model/FString.h"
#include "platform/Archive.h"


KField::KField() = default;

KField::KField(std::int32_t id, FieldType type, FieldMeaning meaning, std::string label)
    : m_id(id), m_type(type), m_meaning(meaning), m_label(std::move(label)) {
    if (type != FieldType::Date && type != FieldType::None)
        m_whole = 0;
}

void KField::setText(std::string text) {
    if (m_type == FieldType::Text)
        m_text = std::move(text);
}

void KField::setDate(KDateValue date) {
    if (m_type == FieldType::Date)
        m_whole = date.value();
}

void KField::setNumber(std::int32_t number) {
    if (m_type == FieldType::Number || m_type == FieldType::Boolean)
        m_whole = number;
}

void KField::setReal(double real) {
    if (m_type == FieldType::Quantity || m_type == FieldType::Amount)
        m_real = real;
}

std::int32_t KField::getNumber() const {
    return m_type == FieldType::Number || m_type == FieldType::Boolean ? m_whole : -1;
}

KDateValue KField::getDate() const {
    return KDateValue(m_type == FieldType::Date ? m_whole : 0);
}

std::string KField::displayText() const {
    switch (m_type) {
    case FieldType::Text:
        return m_text;
    case FieldType::Date:
        return date().Text();
    case FieldType::Number:
        return Numbers::decimal(m_whole);
    case FieldType::Quantity:
        return QuantityText(m_real);
    case FieldType::Amount:
        return AmountText(m_real, 2);
    case FieldType::Boolean:
        return m_whole != 0 ? "Ja" : "Nee";
    default:
        return {};
    }
}

bool KField::displayTextEquals(const std::string& text) const {
    switch (m_type) {
    case FieldType::Text:
        return m_text == text;
    case FieldType::Boolean:
        return text == (m_whole != 0 ? "Ja" : "Nee");
    case FieldType::None:
        return text.empty();
    default:
        return displayText() == text;
    }
}

void KField::changeType(FieldType type) {
    if (type == m_type)
        return;
    const FieldType from = m_type;
    m_type = type;
    if (type == FieldType::None)
        return;
    const bool toReal = type == FieldType::Quantity || type == FieldType::Amount;

    switch (from) {
    case FieldType::Text:
        if (type == FieldType::Date)
            m_whole = KDateValue(m_text.c_str(), 0).value();
        else if (type == FieldType::Number)
            m_whole = Numbers::leadingLong(m_text);
        else if (toReal)
            m_real = Numbers::leadingReal(m_text);
        else if (type == FieldType::Boolean)
            m_whole = m_text == "Ja" ? 1 : 0;
        break;
    case FieldType::Date: {
        const std::string text = date().Text();
        if (type == FieldType::Text)
            m_text = text;
        else if (type == FieldType::Number)
            m_whole = Numbers::leadingLong(text);
        else if (toReal)
            m_real = Numbers::leadingReal(text);
        else if (type == FieldType::Boolean)
            m_whole = 0;
        break;
    }
    case FieldType::Number:
        if (type == FieldType::Text) {
            m_text = Numbers::decimal(m_whole);
        } else if (type == FieldType::Date) {
            m_text = Numbers::decimal(m_whole);
            m_whole = KDateValue(m_text.c_str(), 0).value();
        } else if (toReal) {
            m_real = m_whole;
        } else if (type == FieldType::Boolean) {
            m_whole = m_whole != 0 ? 1 : 0;
        }
        break;
    case FieldType::Quantity:
    case FieldType::Amount:
        if (type == FieldType::Text)
            m_text = Numbers::fixed2(m_real);
        else if (type == FieldType::Date)
            m_whole = KDateValue().value();
        else if (type == FieldType::Number)
            m_whole = Numbers::truncateToInt(m_real);
        else if (type == FieldType::Boolean)
            m_whole = m_real != 0.0 ? 1 : 0;
        break;
    case FieldType::Boolean:
        if (type == FieldType::Text)
            m_text = m_whole != 0 ? "Ja" : "Nee";
        else if (type == FieldType::Date)
            m_whole = KDateValue().value();
        else if (toReal)
            m_real = m_whole;
        break;
    default:
        break;
    }
}

void KField::loadFresh(Archive& ar, int version) {
    m_whole = KDateValue().value();
    m_real = 0.0;
    m_text.clear();
    Serialize(ar, version);
}

void KField::Serialize(Archive& ar, int /*version*/) {
    if (ar.IsStoring()) {
        ar.writeInt32(m_id);
        ar.writeInt32(static_cast<std::int32_t>(m_type));
        ar.writeInt32(static_cast<std::int32_t>(m_meaning));
        writeFString(ar, m_label.str());
        switch (m_type) {
        case FieldType::Text:
            writeFString(ar, m_text);
            break;
        case FieldType::Date:
            ar.writeInt32(m_whole);
            break;
        case FieldType::Number:
        case FieldType::Boolean:
            ar.writeInt32(m_whole);
            break;
        case FieldType::Quantity:
        case FieldType::Amount:
            ar.writeDouble(m_real);
            break;
        default:
            break;
        }
        return;
    }
    m_id = ar.readInt32();
    m_type = static_cast<FieldType>(ar.readInt32());
    m_meaning = static_cast<FieldMeaning>(ar.readInt32());
    std::string& scratch = readScratch();
    readFStringInto(ar, scratch);
    m_label = KSharedText::of(scratch);
    switch (m_type) {
    case FieldType::Text:
        readFStringInto(ar, m_text);
        break;
    case FieldType::Date:
        m_whole = ar.readInt32();
        break;
    case FieldType::Number:
    case FieldType::Boolean:
        m_whole = ar.readInt32();
        break;
    case FieldType::Quantity:
    case FieldType::Amount:
        m_real = ar.readDouble();
        break;
    default:
        break;
    }
}
