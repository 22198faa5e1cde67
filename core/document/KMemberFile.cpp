#include "core/document/KMemberFile.h"

#include "core/document/CKorvelDoc.h"
#include "core/format/Numbers.h"
#include "core/model/DefaultConfiguration.h"
#include "core/model/FString.h"
#include "platform/Archive.h"
#include "tolvex7/StringRecord.h"

#include <cctype>
#include <cstdint>
#include <memory>
#include <string>

namespace {

// Ids for the parts and conditions made from the fixed fees of old files. They belong to the
// running program, are never stored and never reset, and no field definition has them.
KIdCounter& oldSchemeIds() {
    static KIdCounter counter = [] {
        KIdCounter c;
        c.setLastId(99999900);
        return c;
    }();
    return counter;
}

KIdCounter& oldChargeIds() {
    static KIdCounter counter = [] {
        KIdCounter c;
        c.setLastId(99999800);
        return c;
    }();
    return counter;
}

struct OldCondition {
    const char* label;
    FieldType type;
    FieldMeaning meaning;
    std::int32_t number; // Boolean conditions
    const char* text;    // Text conditions
};

constexpr OldCondition kSenior1{"Senior", FieldType::Boolean, FieldMeaning::Senior, 1, nullptr};
constexpr OldCondition kSenior0{"Senior", FieldType::Boolean, FieldMeaning::Senior, 0, nullptr};
constexpr OldCondition kLid{"Soort lid", FieldType::Text, FieldMeaning::MemberType, 0, "Lid"};
constexpr OldCondition kDonateur{"Soort lid", FieldType::Text, FieldMeaning::MemberType, 0,
                                 "Donateur"};
constexpr OldCondition kRegistered1{"Aangemeld", FieldType::Boolean, FieldMeaning::Registered, 1,
                                    nullptr};
constexpr OldCondition kRegistered0{"Aangemeld", FieldType::Boolean, FieldMeaning::Registered, 0,
                                    nullptr};
constexpr OldCondition kEligible1{"Competitiegerechtigd", FieldType::Boolean,
                                  FieldMeaning::CompetitionEligible, 1, nullptr};
constexpr OldCondition kEligible0{"Competitiegerechtigd", FieldType::Boolean,
                                  FieldMeaning::CompetitionEligible, 0, nullptr};
constexpr OldCondition kCompetition1{"Competitie", FieldType::Boolean,
                                     FieldMeaning::CompetitionEligible, 1, nullptr};

struct OldPart {
    const char* name;
    const OldCondition* first;
    const OldCondition* second;
};

// The twelve fixed fees of a version-9 scheme, in file order.
constexpr OldPart kOldSchemeParts[12] = {
    {"Contributie", &kSenior1, &kLid},      {"Bondscontributie", &kSenior1, &kRegistered1},
    {"Competitie", &kSenior1, &kEligible1}, {"Inschrijving", &kSenior1, nullptr},
    {"Donatie", &kSenior1, &kDonateur},     {"Anders", &kSenior1, nullptr},
    {"Contributie", &kSenior0, &kLid},      {"Bondscontributie", &kSenior1, &kRegistered0},
    {"Competitie", &kSenior1, &kEligible0}, {"Inschrijving", &kSenior0, nullptr},
    {"Donatie", &kSenior0, &kDonateur},     {"Anders", &kSenior0, nullptr},
};

// The six fixed amounts of a version-9 charge.
constexpr OldPart kOldChargeParts[6] = {
    {"Contributie", &kLid, nullptr},         {"Bondscontributie", &kRegistered1, nullptr},
    {"Competitie", &kCompetition1, nullptr}, {"Inschrijving", nullptr, nullptr},
    {"Donatie", &kDonateur, nullptr},        {"Extra", nullptr, nullptr},
};

KContrPart makeOldPart(const OldPart& def, double amount, KIdCounter& ids) {
    KContrPart part(def.name, ids.handOut(), amount);
    for (const OldCondition* c : {def.first, def.second}) {
        if (!c)
            continue;
        KField condition(ids.handOut(), c->type, c->meaning, c->label);
        if (c->text)
            condition.setText(c->text);
        else
            condition.setNumber(c->number);
        part.AddCondition(condition);
    }
    return part;
}

void readOldScheme(Archive& ar, KContribution& scheme) {
    scheme.setId(ar.readInt32());
    scheme.setDescription(readFString(ar));
    KDateValue date;
    date.Serialize(ar);
    scheme.setDate(date);
    double amounts[12];
    for (double& amount : amounts)
        amount = ar.readDouble();
    for (int i = 0; i < 12; ++i)
        scheme.AddPart(makeOldPart(kOldSchemeParts[i], amounts[i], oldSchemeIds()));
}

std::unique_ptr<KCharge> readOldCharge(Archive& ar) {
    auto scheme = std::make_unique<KContribution>(ar.readInt32());
    double amounts[6];
    for (double& amount : amounts)
        amount = ar.readDouble();
    for (int i = 0; i < 6; ++i)
        if (amounts[i] > 0.0)
            scheme->AddPart(makeOldPart(kOldChargeParts[i], amounts[i], oldChargeIds()));
    std::string text = readFString(ar);
    return std::make_unique<KCharge>(std::move(scheme), std::move(text));
}

// Reads one string record; false when it could not be read in full.
bool readH(Archive& ar, std::string& text) {
    return readString(ar, text) == 0;
}

// The old member layout of versions 1 to 10, item by item into the values of the meanings.
// Returns false when the record ended early: an item that could not be read in full, or a
// meaning the member has no value for.
bool readOldMember(Archive& ar, KMember& m, int v, QStringList* messages) {
    if (m.values().empty()) {
        if (messages)
            messages->append(QStringLiteral("Fields is empty"));
        return false;
    }
    auto target = [&m](FieldMeaning meaning) { return m.valueByMeaning(meaning); };

    const FieldMeaning flagMeanings[4] = {FieldMeaning::Male, FieldMeaning::Senior,
                                          FieldMeaning::Registered,
                                          FieldMeaning::CompetitionEligible};
    for (FieldMeaning meaning : flagMeanings) {
        std::int8_t flag;
        if (ar.Read(&flag, 1) < 1)
            return false;
        KField* value = target(meaning);
        if (!value)
            return false;
        value->setNumber(flag);
    }
    std::int8_t typeByte;
    if (ar.Read(&typeByte, 1) < 1)
        return false;
    KField* memberType = target(FieldMeaning::MemberType);
    if (!memberType)
        return false;
    memberType->setText(Numbers::decimal(typeByte));

    char licenceByte;
    if (ar.Read(&licenceByte, 1) < 1)
        return false;
    KField* licence = target(FieldMeaning::Licence);
    if (!licence)
        return false;
    licence->setText(licenceByte == '-' || licenceByte == '\0' ? std::string()
                                                               : std::string(1, licenceByte));
    if (v >= 2 && v <= 6) {
        char spare;
        if (ar.Read(&spare, 1) < 1)
            return false;
    }

    struct TextItem {
        FieldMeaning meaning;
        int from, to;
    };
    const TextItem texts[] = {
        {FieldMeaning::Name, 1, 10},          {FieldMeaning::Address, 1, 10},
        {FieldMeaning::City, 1, 10},          {FieldMeaning::PostalCode, 1, 10},
        {FieldMeaning::Phone, 1, 10},         {FieldMeaning::Email, 6, 10},
        {FieldMeaning::Miscellaneous, 9, 10},
    };
    for (const TextItem& item : texts) {
        if (v < item.from || v > item.to)
            continue;
        std::string text;
        if (!readH(ar, text))
            return false;
        KField* value = target(item.meaning);
        if (!value)
            return false;
        value->setText(std::move(text));
    }

    KDateValue birthDate(0);
    if (v <= 2) {
        std::string text;
        if (!readH(ar, text))
            return false;
        birthDate = KDateValue(text.c_str(), 0);
    } else if (v <= 7) {
        const std::uint16_t year = ar.readUInt16();
        const std::uint8_t month = ar.readByte();
        const std::uint8_t day = ar.readByte();
        birthDate.setValue(year * 10000 + month * 100 + day);
    } else {
        birthDate.Serialize(ar);
    }
    KField* birth = target(FieldMeaning::BirthDate);
    if (!birth)
        return false;
    birth->setDate(birthDate);

    if (v >= 9) {
        KDateValue registered(0);
        registered.Serialize(ar);
        KField* value = target(FieldMeaning::RegistrationDate);
        if (!value)
            return false;
        value->setDate(registered);
    }

    std::string federation;
    if (!readH(ar, federation))
        return false;
    KField* federationValue = target(FieldMeaning::FederationNumber);
    if (!federationValue)
        return false;
    federationValue->setNumber(Numbers::leadingLong(federation));

    std::string spare;
    if (v <= 3 && !readH(ar, spare))
        return false;
    if (v >= 2 && v <= 4 && !readH(ar, spare))
        return false;

    if (v >= 2) {
        std::int32_t id;
        if (ar.Read(&id, sizeof id) < sizeof id)
            return false;
        m.setId(id);
    }
    if (v == 9) {
        std::int32_t count = ar.readInt32();
        m.charges().fill(count, [&] { return readOldCharge(ar); });
        count = ar.readInt32();
        m.payments().fill(count, [&] {
            KPayment payment;
            payment.Serialize(ar, v);
            return payment;
        });
    } else if (v == 10) {
        m.readChargesAndPayments(ar, v);
    }
    return true;
}

// One member record of the file's own version; false when it ended early.
bool readMemberRecord(Archive& ar, KMember& m, int v, QStringList* messages) {
    if (v >= 11)
        return m.Serialize(ar, v);
    return readOldMember(ar, m, v, messages);
}

void storeSnapshot(Archive& ar, KSnapshotPair& pair) {
    ar.writeUInt16(static_cast<std::uint16_t>(pair.kind()));
    ar.writeInt32(pair.key());
    if (pair.kind() == 0 || pair.kind() == 1)
        pair.first().Serialize(ar, KMemberFile::kCurrentVersion);
    if (pair.kind() == 0 || pair.kind() == 2)
        pair.second().Serialize(ar, KMemberFile::kCurrentVersion);
}

// The default fields that the snapshot records of an old file are read into, so that their
// items have somewhere to go; the ids for those fields are the snapshots' own. Made once per
// load, and only when a record holds a snapshot.
class OldSnapshotFields {
public:
    const KFieldList& fields() {
        if (!m_made) {
            KTabList tabs;
            std::vector<std::string> types;
            KIdCounter ids;
            applyDefaultConfiguration(m_fields, tabs, types, ids);
            m_made = true;
        }
        return m_fields;
    }

private:
    KFieldList m_fields;
    bool m_made = false;
};

std::unique_ptr<KSnapshotPair> loadSnapshot(Archive& ar, int v, OldSnapshotFields& defaults) {
    auto pair = std::make_unique<KSnapshotPair>();
    pair->setKind(ar.readUInt16());
    pair->setKey(ar.readInt32());
    auto readOne = [&](KMember& snapshot) {
        if (v < 11)
            snapshot = KMember(defaults.fields());
        if (!readMemberRecord(ar, snapshot, v, nullptr))
            throw ArchiveException(ArchiveException::endOfFile, ar.fileName());
    };
    if (pair->kind() == 0 || pair->kind() == 1)
        readOne(pair->first());
    if (pair->kind() == 0 || pair->kind() == 2)
        readOne(pair->second());
    return pair;
}

} // namespace

void KMemberFile::store(Archive& ar, CKorvelDoc& doc,
                        const std::function<bool(std::int64_t)>& membersDone) {
    setMarker(ar, kCurrentVersion);
    ar.writeInt32(doc.m_reserved);
    ar.writeInt32(static_cast<std::int32_t>(doc.m_schemes.size()));
    for (KContribution& scheme : doc.m_schemes)
        scheme.Serialize(ar, kCurrentVersion);
    ar.writeInt32(static_cast<std::int32_t>(doc.m_snapshots.size()));
    for (KSnapshotPair& pair : doc.m_snapshots)
        storeSnapshot(ar, pair);
    ar.writeInt32(doc.m_ids.lastId());
    ar.writeInt32(static_cast<std::int32_t>(doc.m_fields.size()));
    for (KField& field : doc.m_fields)
        field.Serialize(ar, kCurrentVersion);
    ar.writeInt32(static_cast<std::int32_t>(doc.m_tabs.size()));
    for (KTabDef& tab : doc.m_tabs)
        tab.Serialize(ar, kCurrentVersion);
    ar.writeInt32(static_cast<std::int32_t>(doc.m_memberTypes.size()));
    for (const std::string& name : doc.m_memberTypes)
        writeFString(ar, name);
    constexpr std::int64_t kReportEvery = 1024;
    std::int64_t written = 0;
    for (KMember& member : doc.m_members) {
        member.Serialize(ar, kCurrentVersion);
        if (membersDone && ++written % kReportEvery == 0 && !membersDone(written))
            return;
    }
    if (membersDone)
        membersDone(written);
}

void KMemberFile::load(Archive& ar, CKorvelDoc& doc) {
    const int marker = getMarker(ar);
    if (marker == -1)
        throw ArchiveException(ArchiveException::badSchema, ar.fileName());
    int v = static_cast<std::int16_t>(marker);
    if (v < 1)
        throw ArchiveException(ArchiveException::badSchema, ar.fileName());
    if (v > kCurrentVersion)
        v = kCurrentVersion;
    doc.m_formatVersion = marker;

    if (v >= 2)
        doc.m_reserved = ar.readInt32();
    if (v >= 9) {
        doc.m_schemes.clear();
        const std::int32_t count = ar.readInt32();
        doc.m_schemes.fill(count, [&] {
            auto scheme = std::make_unique<KContribution>();
            if (v == 9)
                readOldScheme(ar, *scheme);
            else
                scheme->Serialize(ar, v);
            return scheme;
        });
    }
    if (v >= 10) {
        doc.m_snapshots.clear();
        const std::int32_t count = ar.readInt32();
        OldSnapshotFields defaults;
        doc.m_snapshots.fill(count, [&] { return loadSnapshot(ar, v, defaults); });
    }
    doc.m_members.clear();
    if (v >= 2)
        doc.m_ids.setLastId(ar.readInt32());

    if (v >= 11) {
        KFieldList fields;
        std::int32_t count = ar.readInt32();
        fields.fill(count, [&] {
            KField field;
            field.Serialize(ar, v);
            return field;
        });
        doc.m_fields = std::move(fields);
        KTabList tabs;
        count = ar.readInt32();
        tabs.fill(count, [&] {
            auto tab = std::make_unique<KTabDef>();
            tab->Serialize(ar, v);
            return tab;
        });
        doc.m_tabs = std::move(tabs);
        doc.m_memberTypes.clear();
        count = ar.readInt32();
        for (std::int32_t i = 0; i < count; ++i)
            doc.m_memberTypes.push_back(readFString(ar));
    } else {
        doc.applyDefaultConfiguration();
        doc.m_loadedOldLayout = true;
    }

    // Every complete record is kept, with or without a name; the first record that ends early
    // is the end of the data.
    std::vector<std::unique_ptr<KMember>> loaded;
    for (;;) {
        // The current layout replaces the values wholesale, so copying the definitions first
        // would only cost time; old records are read into them by meaning.
        auto member =
            v >= 11 ? std::make_unique<KMember>() : std::make_unique<KMember>(doc.m_fields);
        if (!readMemberRecord(ar, *member, v, &doc.m_loadMessages))
            break;
        if (v == 1)
            member->setId(doc.handOutId());
        loaded.push_back(std::move(member));
    }
    doc.m_members.insertAll(std::move(loaded));

    if (v <= 10) {
        for (KMember& member : doc.m_members) {
            if (KField* type = member.valueByMeaning(FieldMeaning::MemberType)) {
                const std::string text = type->displayText();
                if (!text.empty() && std::isdigit(static_cast<unsigned char>(text[0]))) {
                    const std::int32_t n = Numbers::leadingLong(text);
                    if (n >= 0 && static_cast<std::size_t>(n) < doc.m_memberTypes.size())
                        type->setText(doc.m_memberTypes[static_cast<std::size_t>(n)]);
                }
            }
            for (KCharge& charge : member.charges()) {
                KContribution* copy = charge.scheme();
                if (!copy)
                    continue;
                if (const KContribution* scheme = doc.findSchemeById(copy->id())) {
                    copy->setDescription(scheme->description());
                    copy->setDate(scheme->date());
                }
            }
        }
    }
}
