#include "bench/gui/BenchClub.h"

#include "core/document/CKorvelDoc.h"
#include "core/model/ContributionRules.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

std::uint64_t next(std::uint64_t& state) {
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

template <std::size_t N> const char* pick(const char* const (&list)[N], std::uint64_t r) {
    return list[r % N];
}

const char* const kFirst[] = {"Jan",      "Piet",  "Klaas", "Els",  "Anna", "Sanne", "Daan",
                              "Ruben",    "Lotte", "Noah",  "Emma", "Bram", "Fleur", "Jos\xE9",
                              "Ren\xE9" "e", "Sem",   "Tess",  "Luuk", "Iris", "Thijs"};
const char* const kSurname[] = {"Jansen", "de Vries", "van den Berg", "Bakker",   "Visser",
                                "Smit",   "Meijer",   "de Boer",      "Mulder",   "de Groot",
                                "Bos",    "Vos",      "Peters",       "Hendriks", "van Dijk",
                                "Dekker", "Brouwer",  "de Wit",       "Dijkstra", "\xD6zdemir"};
const char* const kStreet[] = {"Dorpsstraat", "Kerkstraat",  "Schoolstraat",  "Molenweg",
                               "Stationsweg", "Julianalaan", "Beatrixstraat", "Parallelweg"};
const char* const kCity[] = {"Amsterdam", "Rotterdam", "Utrecht", "Eindhoven",
                             "Groningen", "Zwolle",    "Leiden",  "'s-Hertogenbosch"};

void fillMember(KMember& m, std::uint64_t& state) {
    const std::uint64_t r = next(state);
    const std::uint64_t s = next(state);
    m.setTextByMeaning(FieldMeaning::Name,
                       std::string(pick(kFirst, r)) + " " + pick(kSurname, r >> 8));
    m.setTextByMeaning(FieldMeaning::Address, std::string(pick(kStreet, r >> 16)) + " " +
                                                  std::to_string(1 + (r >> 20) % 180));
    m.setTextByMeaning(FieldMeaning::PostalCode, std::to_string(1000 + (r >> 28) % 9000) + " " +
                                                     char('A' + (r >> 40) % 26) +
                                                     char('A' + (r >> 45) % 26));
    m.setTextByMeaning(FieldMeaning::City, pick(kCity, r >> 50));
    m.setTextByMeaning(FieldMeaning::Phone, "06-" + std::to_string(10000000 + s % 89999999));
    m.setTextByMeaning(FieldMeaning::Email, "lid" + std::to_string(s % 1000000) + "@example.nl");
    m.setTextByMeaning(FieldMeaning::MemberType, (s >> 20) % 7 == 0 ? "Donateur" : "Lid");
    m.setTextByMeaning(FieldMeaning::Licence, (s >> 23) % 3 == 0 ? "A" : "B");
    m.setTextByMeaning(FieldMeaning::Miscellaneous, (s >> 26) % 4 == 0 ? "Trainer op dinsdag" : "");
    auto setNumber = [&m](FieldMeaning meaning, std::int32_t value) {
        if (KField* f = m.valueByMeaning(meaning))
            f->setNumber(value);
    };
    setNumber(FieldMeaning::Male, static_cast<std::int32_t>((s >> 30) % 2));
    setNumber(FieldMeaning::Senior, (s >> 31) % 4 != 0);
    setNumber(FieldMeaning::Registered, (s >> 33) % 3 != 0);
    setNumber(FieldMeaning::CompetitionEligible, (s >> 35) % 2);
    setNumber(FieldMeaning::FederationNumber, static_cast<std::int32_t>(100000 + s % 900000));
    auto setDate = [&m](FieldMeaning meaning, std::int32_t value) {
        if (KField* f = m.valueByMeaning(meaning))
            f->setDate(KDateValue(value));
    };
    setDate(FieldMeaning::BirthDate,
            static_cast<std::int32_t>((1940 + (s >> 37) % 70) * 10000 + (1 + (s >> 44) % 12) * 100 +
                                      1 + (s >> 48) % 28));
    setDate(FieldMeaning::RegistrationDate,
            (s >> 52) % 10 == 0 ? 0
                                : static_cast<std::int32_t>((1980 + (s >> 53) % 44) * 10000 +
                                                            (1 + (s >> 58) % 12) * 100 + 1));
}

KContribution feeSchedule(CKorvelDoc& doc) {
    KContribution scheme(doc.handOutId());
    scheme.setDescription("Contributie 2024");
    scheme.setDate(KDateValue(20240101));
    const KField* senior =
        doc.fields().findFirst([](const KField& f) { return f.meaning() == FieldMeaning::Senior; });
    for (int i = 0; i < 4; ++i) {
        KContrPart part(i % 2 == 0 ? "Contributie" : "Bondscontributie", doc.handOutId(),
                        i < 2 ? 95.0 + 12.5 * i : 55.0 + 7.25 * i);
        if (senior) {
            KField condition = *senior;
            condition.setNumber(i < 2 ? 1 : 0);
            part.AddCondition(condition);
        }
        scheme.AddPart(part);
    }
    return scheme;
}

} // namespace

bool writeBenchClub(const QString& path, int members, unsigned seed) {
    CKorvelDoc doc;
    doc.OnNewDocument();
    const KContribution& scheme = doc.addScheme(std::make_unique<KContribution>(feeSchedule(doc)));
    std::uint64_t state = seed;
    std::vector<std::unique_ptr<KMember>> list;
    list.reserve(static_cast<std::size_t>(members));
    for (int i = 0; i < members; ++i) {
        auto m = std::make_unique<KMember>(doc.fields());
        m->setId(doc.handOutId());
        fillMember(*m, state);
        ApplyContribution(*m, scheme);
        const std::uint64_t r = next(state);
        if (r % 4 != 0)
            m->addPayment(KPayment(r % 3 == 0 ? 50.0 : 107.5, KDateValue(20240215)));
        list.push_back(std::move(m));
    }
    doc.members().insertAll(std::move(list));
    return doc.OnSaveDocument(path);
}
