#include "core/generate/ClubGenerator.h"

#include "core/document/CKorvelDoc.h"
#include "core/format/Clock.h"
#include "core/model/ContributionRules.h"
#include "platform/CodePage.h"

#include <QDate>

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace {

// The name lists are written here in UTF-8 and held in the code page, as every model string is.
struct Surname {
    const char* prefix; // "de", "van der", ... or empty
    const char* name;
};

constexpr const char* kMaleNames[] = {
    "Jan",   "Pieter",  "Kees",   "Henk",    "Willem", "Bram",  "Daan",    "Sem",    "Lucas",
    "Thijs", "Ruben",   "Jeroen", "Martijn", "Sander", "Bas",   "Joost",   "Wouter", "Gerrit",
    "Hans",  "Mohamed", "René",   "Joël",    "Noël",   "Gaël",  "Finn",    "Jesse",  "Teun",
    "Stijn", "Koen",    "Niels",  "Arjen",   "Dirk",   "Frits", "Jurriën", "Mees",   "Levi"};

constexpr const char* kFemaleNames[] = {
    "Anna",  "Emma",    "Sophie", "Julia",    "Lotte",  "Fleur",  "Sanne",    "Eva",    "Lisa",
    "Anouk", "Marieke", "Ingrid", "Petra",    "Wilma",  "Gerda",  "Annemiek", "Femke",  "Iris",
    "Chloë", "Anaïs",   "Zoë",    "Daniëlle", "Noëlle", "Inès",   "Mila",     "Tess",   "Noor",
    "Saar",  "Yara",    "Fatima", "Linda",    "Esther", "Hélène", "Renée",    "Maaike", "Roos"};

constexpr Surname kSurnames[] = {{"", "Jansen"},      {"", "Bakker"},        {"", "Visser"},
                                 {"", "Smit"},        {"", "Meijer"},        {"", "Mulder"},
                                 {"", "Bos"},         {"", "Vos"},           {"", "Peters"},
                                 {"", "Hendriks"},    {"", "Dekker"},        {"", "Brouwer"},
                                 {"", "Dijkstra"},    {"", "Kok"},           {"", "Jacobs"},
                                 {"", "Vermeulen"},   {"", "Willems"},       {"", "Schouten"},
                                 {"", "Hoekstra"},    {"", "Koster"},        {"", "Prins"},
                                 {"", "Huisman"},     {"", "Kuipers"},       {"", "Postma"},
                                 {"", "Timmermans"},  {"", "Veenstra"},      {"", "Kramer"},
                                 {"", "Scholten"},    {"", "Wouters"},       {"", "Gerritsen"},
                                 {"", "Jonker"},      {"", "Maas"},          {"", "Öztürk"},
                                 {"", "Müller"},      {"", "Lefèvre"},       {"", "Boërs"},
                                 {"de", "Vries"},     {"de", "Jong"},        {"de", "Groot"},
                                 {"de", "Wit"},       {"de", "Boer"},        {"van", "Dijk"},
                                 {"van", "Leeuwen"},  {"van", "Beek"},       {"van", "Wijk"},
                                 {"van den", "Berg"}, {"van den", "Broek"},  {"van den", "Heuvel"},
                                 {"van der", "Meer"}, {"van der", "Linden"}, {"van der", "Heijden"},
                                 {"van der", "Veen"}, {"ter", "Horst"},      {"ter", "Haar"},
                                 {"ter", "Beek"},     {"den", "Hartog"},     {"van 't", "Hof"},
                                 {"in 't", "Veld"}};

constexpr const char* kStreets[] = {"Kerkstraat",
                                    "Dorpsstraat",
                                    "Molenweg",
                                    "Schoolstraat",
                                    "Stationsweg",
                                    "Julianalaan",
                                    "Beatrixstraat",
                                    "Wilhelminastraat",
                                    "Eikenlaan",
                                    "Lindelaan",
                                    "Kastanjelaan",
                                    "Prins Bernhardlaan",
                                    "Nieuwstraat",
                                    "Voorstraat",
                                    "Achterweg",
                                    "Industrieweg",
                                    "Parallelweg",
                                    "Sportlaan",
                                    "Hoofdstraat",
                                    "Tuinstraat",
                                    "Marktplein",
                                    "Beukenlaan",
                                    "Rozengracht",
                                    "Emmalaan",
                                    "Burgemeester de Withstraat",
                                    "Oranjestraat",
                                    "Van Goghlaan",
                                    "Rembrandtstraat",
                                    "Havenkade",
                                    "Slotlaan"};

struct City {
    const char* name;
    const char* areaCode;
    int postcodeBase;
};

constexpr City kCities[] = {{"Amsterdam", "020", 1011},  {"Rotterdam", "010", 3011},
                            {"Den Haag", "070", 2511},   {"Utrecht", "030", 3511},
                            {"Eindhoven", "040", 5611},  {"Groningen", "050", 9711},
                            {"Zwolle", "038", 8011},     {"Leeuwarden", "058", 8911},
                            {"Enschede", "053", 7511},   {"Nijmegen", "024", 6511},
                            {"Arnhem", "026", 6811},     {"Haarlem", "023", 2011},
                            {"Leiden", "071", 2311},     {"Delft", "015", 2611},
                            {"Almelo", "0546", 7601},    {"Hengelo", "074", 7551},
                            {"Deventer", "0570", 7411},  {"Apeldoorn", "055", 7311},
                            {"Amersfoort", "033", 3811}, {"'s-Hertogenbosch", "073", 5211},
                            {"Tilburg", "013", 5011},    {"Breda", "076", 4811},
                            {"Maastricht", "043", 6211}, {"Venlo", "077", 5911},
                            {"Sneek", "0515", 8601},     {"Assen", "0592", 9401},
                            {"Emmen", "0591", 7811},     {"Gouda", "0182", 2801},
                            {"Alkmaar", "072", 1811},    {"Hoorn", "0229", 1621}};

constexpr const char* kMailDomains[] = {"gmail.com",   "hotmail.com", "ziggo.nl",  "kpnmail.nl",
                                        "outlook.com", "planet.nl",   "xs4all.nl", "home.nl"};

constexpr const char* kRemarks[] = {"Trainer",
                                    "Vrijwilliger bar",
                                    "Zaaldienst",
                                    "Bestuurslid",
                                    "Jeugdcommissie",
                                    "Scheidsrechter",
                                    "Geen foto's op de website",
                                    "Betaalt per kwartaal"};

constexpr const char* kPaymentRemarks[] = {"", "Incasso", "Incasso", "Bank", "Contant"};

constexpr char kLicences[] = "ABCDEFGH";

// One part of a yearly fee schedule; the two amounts are those of last year and this year.
struct FeePart {
    const char* name;
    int centsLastYear;
    int centsThisYear;
    int senior;             // -1: no condition
    const char* memberType; // nullptr: no condition
    int registered;         // -1: no condition
    int eligible;           // -1: no condition
};

constexpr FeePart kFees[] = {
    {"Contributie senioren", 11800, 12250, 1, "Lid", -1, -1},
    {"Contributie junioren", 7250, 7500, 0, "Lid", -1, -1},
    {"Bondscontributie senioren", 3460, 3580, 1, nullptr, 1, -1},
    {"Bondscontributie junioren", 2280, 2360, 0, nullptr, 1, -1},
    {"Competitietoeslag", 4000, 4000, -1, nullptr, -1, 1},
    {"Donatie", 2500, 2500, -1, "Donateur", -1, -1},
};

std::string cp(const char* utf8) {
    return CodePage::fromUtf8(utf8);
}

// The plain lower-case letters of a code-page text, for e-mail addresses.
std::string mailPart(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 'A' && c <= 'Z')
            out += static_cast<char>(c - 'A' + 'a');
        else if (c >= 'a' && c <= 'z')
            out += static_cast<char>(c);
        else if (c >= 0xC0) {
            // The accented letters of the code page by their base letter.
            static const char base[] = "aaaaaaaceeeeiiiidnooooo/ouuuuyts"
                                       "aaaaaaaceeeeiiiidnooooo/ouuuuyty";
            const char b = base[c - 0xC0];
            if (b != '/')
                out += b;
        }
    }
    return out;
}

const KField& definition(const CKorvelDoc& doc, FieldMeaning meaning) {
    for (const KField& f : doc.fields())
        if (f.meaning() == meaning)
            return f;
    static const KField none;
    return none;
}

std::unique_ptr<KContribution> makeScheme(CKorvelDoc& doc, int year, bool thisYear) {
    auto scheme = std::make_unique<KContribution>(doc.handOutId());
    scheme->setDescription("Contributie " + std::to_string(year));
    scheme->setDate(KDateValue(year * 10000 + 101));
    for (const FeePart& fee : kFees) {
        KContrPart part(fee.name, doc.handOutId(),
                        (thisYear ? fee.centsThisYear : fee.centsLastYear) / 100.0);
        auto addFlag = [&](FieldMeaning meaning, int value) {
            if (value < 0)
                return;
            KField condition = definition(doc, meaning);
            condition.setNumber(value);
            part.AddCondition(condition);
        };
        addFlag(FieldMeaning::Senior, fee.senior);
        addFlag(FieldMeaning::Registered, fee.registered);
        addFlag(FieldMeaning::CompetitionEligible, fee.eligible);
        if (fee.memberType) {
            KField condition = definition(doc, FieldMeaning::MemberType);
            condition.setText(fee.memberType);
            part.AddCondition(condition);
        }
        scheme->AddPart(part);
    }
    return scheme;
}

std::int32_t yyyymmdd(const QDate& d) {
    return d.year() * 10000 + d.month() * 100 + d.day();
}

QDate toQDate(std::int32_t value) {
    return QDate(value / 10000, (value / 100) % 100, value % 100);
}

template <class T, std::size_t N> const T& pick(ClubGenerator& g, const T (&list)[N]) {
    return list[g.below(static_cast<std::uint32_t>(N))];
}

std::string digits(ClubGenerator& g, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i)
        out += static_cast<char>('0' + (i == 0 ? 2 + g.below(8) : g.below(10)));
    return out;
}

// The code-page lists, converted once.
struct Names {
    std::vector<std::string> male, female, surnames, prefixes;
    Names() {
        for (const char* n : kMaleNames)
            male.push_back(cp(n));
        for (const char* n : kFemaleNames)
            female.push_back(cp(n));
        for (const Surname& s : kSurnames) {
            surnames.push_back(cp(s.name));
            prefixes.push_back(s.prefix);
        }
    }
};

void addPayments(ClubGenerator& g, KMember& member, const QDate& today) {
    for (const KCharge& charge : member.charges()) {
        const long long cents = std::llround(charge.total() * 100.0);
        if (cents <= 0 || !charge.scheme())
            continue;
        const QDate schemeDate = toQDate(charge.scheme()->date().value());
        const bool thisYear = schemeDate.year() == today.year();
        const std::uint32_t roll = g.below(100);
        long long paid = 0;
        if (roll < (thisYear ? 55u : 92u))
            paid = cents;
        else if (roll < (thisYear ? 75u : 96u))
            paid = cents * (20 + g.below(61)) / 100;
        else if (roll < (thisYear ? 80u : 98u))
            paid = cents + 500 * (1 + g.below(3));
        if (paid <= 0)
            continue;
        QDate when = schemeDate.addDays(g.below(120));
        if (when > today)
            when = today;
        member.addPayment(KPayment(static_cast<double>(paid) / 100.0, KDateValue(yyyymmdd(when)),
                                   pick(g, kPaymentRemarks)));
    }
}

} // namespace

std::uint64_t ClubGenerator::next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint32_t ClubGenerator::below(std::uint32_t bound) {
    if (bound == 0)
        return 0;
    return static_cast<std::uint32_t>(((next() >> 32) * bound) >> 32);
}

void ClubGenerator::generate(CKorvelDoc& doc, long memberCount) {
    doc.OnNewDocument();
    static const Names names;
    const QDate today = toQDate(Clock::today());

    KContribution& lastYear = doc.m_schemes.insert(makeScheme(doc, today.year() - 1, false));
    KContribution& thisYear = doc.m_schemes.insert(makeScheme(doc, today.year(), true));

    std::vector<std::unique_ptr<KMember>> members;
    members.reserve(static_cast<std::size_t>(memberCount > 0 ? memberCount : 0));
    for (long i = 0; i < memberCount; ++i) {
        auto m = std::make_unique<KMember>(doc.fields());
        m->setId(doc.handOutId());

        const bool male = chance(50);
        const std::string& first =
            male ? names.male[below(static_cast<std::uint32_t>(names.male.size()))]
                 : names.female[below(static_cast<std::uint32_t>(names.female.size()))];
        const std::size_t s = below(static_cast<std::uint32_t>(names.surnames.size()));
        const std::string& surname = names.surnames[s];
        const std::string& prefix = names.prefixes[s];
        // Written as people write them, so the grid's sort by last word sorts by surname.
        std::string name = first + " ";
        if (!prefix.empty())
            name += prefix + " ";
        name += surname;
        m->setTextByMeaning(FieldMeaning::Name, name);

        std::string address = pick(*this, kStreets);
        address += " " + std::to_string(1 + below(250));
        if (chance(8))
            address += static_cast<char>('a' + below(3));
        m->setTextByMeaning(FieldMeaning::Address, address);

        const City& city = pick(*this, kCities);
        m->setTextByMeaning(FieldMeaning::City, cp(city.name));
        static const char letters[] = "ABCDEGHJKLMNPRTVWXZ";
        std::string postcode = std::to_string(city.postcodeBase + below(80));
        postcode += ' ';
        postcode += letters[below(sizeof letters - 1)];
        postcode += letters[below(sizeof letters - 1)];
        m->setTextByMeaning(FieldMeaning::PostalCode, postcode);

        const std::string area = city.areaCode;
        m->setTextByMeaning(FieldMeaning::Phone,
                            chance(55) ? "06-" + digits(*this, 8)
                                       : area + "-" + digits(*this, 10 - area.size()));

        // Mostly youth and adults of playing age, a tail of veterans up to 90.
        const int age = chance(35) ? 6 + static_cast<int>(below(12))
                                   : 18 + static_cast<int>(below(chance(70) ? 35 : 73));
        const QDate birth = today.addYears(-age).addDays(-static_cast<qint64>(below(365)));
        int exactAge = today.year() - birth.year();
        if (today.month() < birth.month() ||
            (today.month() == birth.month() && today.day() < birth.day()))
            --exactAge;
        m->valueByMeaning(FieldMeaning::BirthDate)->setDate(KDateValue(yyyymmdd(birth)));

        if (chance(80)) {
            std::string local = mailPart(first) + "." + mailPart(prefix + surname);
            if (chance(30))
                local += std::to_string(birth.year() % 100);
            m->setTextByMeaning(FieldMeaning::Email, local + "@" + pick(*this, kMailDomains));
        }
        m->valueByMeaning(FieldMeaning::Male)->setNumber(male ? 1 : 0);

        const std::uint32_t typeRoll = below(100);
        const char* type = typeRoll < 88 ? "Lid" : typeRoll < 97 ? "Donateur" : "Erelid";
        m->setTextByMeaning(FieldMeaning::MemberType, type);
        const bool lid = typeRoll < 88;

        // Registered some time after the sixth birthday, within the last forty years.
        QDate earliest = birth.addYears(6);
        if (earliest < today.addYears(-40))
            earliest = today.addYears(-40);
        const qint64 span = earliest.daysTo(today);
        const QDate registered =
            earliest.addDays(span > 0 ? below(static_cast<std::uint32_t>(span) + 1) : 0);
        m->valueByMeaning(FieldMeaning::RegistrationDate)
            ->setDate(KDateValue(yyyymmdd(registered)));

        if (chance(7))
            m->setTextByMeaning(FieldMeaning::Miscellaneous, pick(*this, kRemarks));

        const bool federation = lid ? chance(90) : (typeRoll >= 97 && chance(30));
        const bool eligible = federation && exactAge >= 8 && chance(60);
        m->valueByMeaning(FieldMeaning::FederationNumber)
            ->setNumber(federation ? 1000000 + static_cast<std::int32_t>(below(9000000)) : 0);
        m->valueByMeaning(FieldMeaning::Senior)->setNumber(exactAge >= 18 ? 1 : 0);
        m->valueByMeaning(FieldMeaning::Registered)->setNumber(federation ? 1 : 0);
        m->valueByMeaning(FieldMeaning::CompetitionEligible)->setNumber(eligible ? 1 : 0);
        if (eligible)
            m->setTextByMeaning(FieldMeaning::Licence, std::string(1, kLicences[below(8)]));

        ApplyContribution(*m, lastYear);
        ApplyContribution(*m, thisYear);
        addPayments(*this, *m, today);
        members.push_back(std::move(m));
    }
    doc.m_members.insertAll(std::move(members));
    doc.memberListChanged();
    doc.tellListeners([](KDocListener& l) { l.documentReset(); });
}
