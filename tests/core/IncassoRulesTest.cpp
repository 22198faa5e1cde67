// The small rules of a direct debit: IBANs, creditor identifiers and BICs, the payment
// system's business days, and the SEPA character set.
#include "core/incasso/BusinessDays.h"
#include "core/incasso/Iban.h"
#include "core/incasso/SepaText.h"

#include <gtest/gtest.h>

namespace {

using P = Iban::Problem;

TEST(IbanCheck, TellsWhatIsWrong) {
    struct Case {
        const char* typed;
        P problem;
    };
    const Case cases[] = {
        {"NL91ABNA0417164300", P::None},
        {"nl91 abna 0417 1643 00", P::None}, // as people type it
        {"DE89370400440532013000", P::None},
        {"BE68539007547034", P::None},
        {"GB29NWBK60161331926819", P::None},
        {"FR1420041010050500013M02606", P::None},
        {"NO9386011117947", P::None},
        {"", P::Empty},
        {"   ", P::Empty},
        {"NL91-ABNA-0417-1643-00", P::Characters},
        {"NL91ABNA041716430", P::Length},   // one digit short
        {"NL91ABNA04171643000", P::Length}, // one too many
        {"NL92ABNA0417164300", P::Checksum},
        {"NL91ABNA0417164301", P::Checksum},
        {"NL91ABNA0417146300", P::Checksum}, // two digits swapped
        {"XX91ABNA0417164300", P::Country},
        {"9191ABNA0417164300", P::Country},
        {"NLAAABNA0417164300", P::Country},
    };
    for (const Case& c : cases) {
        const QString iban = Iban::normalized(QString::fromUtf8(c.typed));
        EXPECT_EQ(Iban::check(iban), c.problem) << c.typed;
        EXPECT_EQ(Iban::problemText(Iban::check(iban), iban).isEmpty(), c.problem == P::None)
            << c.typed;
    }
    EXPECT_TRUE(Iban::problemText(P::Length, QStringLiteral("NL91ABNA041716430")).contains(
        QStringLiteral("18")));
}

TEST(IbanCheck, MadeIbansAreValid) {
    for (const char* bban : {"ABNA0417164300", "RABO0123456789", "INGB0000000001"}) {
        const QString iban = Iban::make(QStringLiteral("NL"), QString::fromLatin1(bban));
        EXPECT_TRUE(Iban::isValid(iban)) << iban.toStdString();
    }
    EXPECT_EQ(Iban::make(QStringLiteral("NL"), QStringLiteral("ABNA0417164300")),
              QStringLiteral("NL91ABNA0417164300"));
}

TEST(CreditorIdCheck, TheBusinessCodeTakesNoPartInTheCheckDigits) {
    struct Case {
        const char* id;
        P problem;
    };
    const Case cases[] = {
        {"NL79ZZZ999999990000", P::None},
        {"NL79ABC999999990000", P::None}, // another business code, same check digits
        {"DE98ZZZ09999999999", P::None},
        {"NL78ZZZ999999990000", P::Checksum},
        {"NL79ZZZ999999990001", P::Checksum},
        {"", P::Empty},
        {"NL79ZZZ", P::Length},
        {"NL79ZZZ99999999000099999999999999999", P::Length}, // 36 characters
        {"7979ZZZ999999990000", P::Country},
        {"NL79ZZZ99999999-0000", P::Characters},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Iban::checkCreditorId(QString::fromLatin1(c.id)), c.problem) << c.id;
        EXPECT_EQ(Iban::creditorIdProblemText(c.problem, QString::fromLatin1(c.id)).isEmpty(),
                  c.problem == P::None);
    }
}

TEST(BicCheck, EightOrElevenInTheBanksForm) {
    for (const char* bic : {"ABNANL2A", "RABONL2U", "INGBNL2A", "DEUTDEFF500"})
        EXPECT_TRUE(Iban::isValidBic(QString::fromLatin1(bic))) << bic;
    for (const char* bic : {"", "ABNANL2", "ABNANL2AX", "ABNANL1A", "ABNANL2O", "ABN1NL2A",
                            "abnanl2a", "ABNANL2A12"})
        EXPECT_FALSE(Iban::isValidBic(QString::fromLatin1(bic))) << bic;
}

TEST(BusinessDays, EasterAndTheFixedHolidays) {
    EXPECT_EQ(BusinessDays::easterSunday(2024), 20240331);
    EXPECT_EQ(BusinessDays::easterSunday(2025), 20250420);
    EXPECT_EQ(BusinessDays::easterSunday(2026), 20260405);
    EXPECT_EQ(BusinessDays::easterSunday(2027), 20270328);
    EXPECT_EQ(BusinessDays::easterSunday(2038), 20380425);

    struct Case {
        std::int32_t date;
        bool business;
    };
    const Case cases[] = {
        {20260101, false}, // New Year, a Thursday
        {20260102, true},
        {20260403, false}, // Good Friday
        {20260406, false}, // Easter Monday
        {20260407, true},
        {20260501, false}, // a Friday
        {20260427, true},  // King's Day is no holiday of the payment system
        {20261224, true},
        {20261225, false},
        {20261228, true},
        {20270326, false}, // Good Friday 2027
        {20260307, false}, // Saturday
        {20260308, false}, // Sunday
        {20260309, true},
        {20260230, false}, // no date
    };
    for (const Case& c : cases)
        EXPECT_EQ(BusinessDays::isBusinessDay(c.date), c.business) << c.date;
}

TEST(BusinessDays, CountsOnlyBusinessDays) {
    // Wednesday 1 April 2026: Thursday, then Good Friday, the weekend and Easter Monday pass.
    EXPECT_EQ(BusinessDays::after(20260401, 1), 20260402);
    EXPECT_EQ(BusinessDays::after(20260401, 2), 20260407);
    EXPECT_EQ(BusinessDays::defaultCollectionDate(20260401), 20260410);
    // Christmas Eve, a Thursday: 25 and 26 December and the weekend pass.
    EXPECT_EQ(BusinessDays::earliestCollectionDate(20261224), 20261228);
    EXPECT_EQ(BusinessDays::after(20261231, 1), 20270104);
    EXPECT_EQ(BusinessDays::after(20260307, 0), 20260309);
    EXPECT_EQ(BusinessDays::after(20260309, 0), 20260309);
}

TEST(BusinessDays, ACollectionDateIsABusinessDayAfterToday) {
    const std::int32_t today = 20260316; // a Monday
    EXPECT_TRUE(BusinessDays::collectionDateProblem(20260317, today).isEmpty());
    EXPECT_TRUE(BusinessDays::collectionDateProblem(20260323, today).isEmpty());
    EXPECT_FALSE(BusinessDays::collectionDateProblem(today, today).isEmpty());
    EXPECT_FALSE(BusinessDays::collectionDateProblem(20260301, today).isEmpty());
    EXPECT_TRUE(BusinessDays::collectionDateProblem(20260321, today).contains(
        QStringLiteral("geen werkdag")));
    EXPECT_FALSE(BusinessDays::collectionDateProblem(20260230, today).isEmpty());
}

TEST(SepaText, KeepsTheSetAndReplacesTheRest) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"Zoë Öztürk", "Zoe Ozturk"},
        {"José Müller-Lüdenscheidt", "Jose Muller-Ludenscheidt"},
        {"Ångström Çelik Ñúñez", "Angstrom Celik Nunez"},
        {"Straße", "Strasse"},
        {"Søren Æbelø", "Soren AEbelo"},
        {"Łukasz Dąbrowski", "Lukasz Dabrowski"},
        {"d’Hondt", "d'Hondt"},
        {"Jansen & Zn", "Jansen   Zn"},
        {"Contributie 2026: 50% (senior)", "Contributie 2026: 50  (senior)"},
        {"a_b;c\"d", "a b c d"},
        {"  rond  ", "rond"},
        {"Lid/nr.-?:().,'+", "Lid/nr.-?:().,'+"},
        {"€ 12,50", "12,50"},
        {"李", ""},
    };
    for (const Case& c : cases) {
        const SepaText::Result r = SepaText::clean(QString::fromUtf8(c.in), 140);
        EXPECT_EQ(r.text.toStdString(), c.out) << c.in;
        EXPECT_FALSE(r.shortened);
        for (QChar ch : r.text)
            EXPECT_TRUE(SepaText::inSet(ch)) << c.in;
    }
    EXPECT_FALSE(SepaText::clean(QStringLiteral("Jansen"), 70).changed);
    EXPECT_TRUE(SepaText::clean(QStringLiteral("Zoë"), 70).changed);
    // Code-page bytes: "Zoë" in Windows-1252.
    EXPECT_EQ(SepaText::clean(std::string_view("Zo\xEB", 3), 70).text, QStringLiteral("Zoe"));
}

TEST(SepaText, CutsAtTheMaximumLength) {
    const SepaText::Result r = SepaText::clean(QString(80, QLatin1Char('a')), 70);
    EXPECT_EQ(r.text.size(), 70);
    EXPECT_TRUE(r.shortened);
    // Accents removed first, then counted: "ë" is one character of the result.
    EXPECT_EQ(SepaText::clean(QStringLiteral("ëëëë"), 3).text, QStringLiteral("eee"));
    // A cut that ends in a space leaves it out.
    EXPECT_EQ(SepaText::clean(QStringLiteral("abc def"), 4).text, QStringLiteral("abc"));
    EXPECT_FALSE(SepaText::clean(QString(70, QLatin1Char('a')), 70).shortened);
}

} // namespace
