// The direct-debit file: valid against both official schemas, and the rules the banks check on
// top of them (sums, lengths, character set, unique references).
#include "core/KProgressReport.h"
#include "core/incasso/BusinessDays.h"
#include "core/incasso/KCollectionFile.h"
#include "core/incasso/SepaText.h"
#include "platform/CodePage.h"
#include "tests/support/Charges.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/IncassoClub.h"
#include "tests/support/Pinned.h"
#include "tests/support/SchemaCheck.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <map>
#include <set>

namespace {

using Format = IncassoSettings::Format;

// What a file holds, read back element by element.
struct ReadFile {
    QString ns;
    QString msgId;
    QString creDtTm;
    long long nbOfTxs = -1;
    QString ctrlSum;
    struct Block {
        QString pmtInfId, seqTp, ctrlSum, date, creditorAgent;
        long long nbOfTxs = -1;
        long long cents = 0;
        std::vector<std::map<QString, QString>> transactions;
    };
    std::vector<Block> blocks;
    // Every text element: name and text.
    std::vector<std::pair<QString, QString>> texts;
};

long long centsOf(const QString& amount) {
    const QStringList parts = amount.split(QLatin1Char('.'));
    EXPECT_EQ(parts.size(), 2) << amount.toStdString();
    EXPECT_EQ(parts.value(1).size(), 2) << amount.toStdString();
    return parts.value(0).toLongLong() * 100 + parts.value(1).toLongLong();
}

ReadFile readFile(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    ReadFile out;
    QStringList stack;
    std::map<QString, QString>* tx = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QString name = xml.name().toString();
            if (stack.isEmpty())
                out.ns = xml.namespaceUri().toString();
            stack.push_back(name);
            if (name == QLatin1String("PmtInf"))
                out.blocks.emplace_back();
            if (name == QLatin1String("DrctDbtTxInf")) {
                out.blocks.back().transactions.emplace_back();
                tx = &out.blocks.back().transactions.back();
            }
            if (name == QLatin1String("InstdAmt") && tx)
                (*tx)[QStringLiteral("Ccy")] = xml.attributes().value(QStringLiteral("Ccy")).toString();
        } else if (xml.isCharacters() && !xml.isWhitespace()) {
            const QString text = xml.text().toString();
            const QString name = stack.back();
            const QString parent = stack.size() > 1 ? stack[stack.size() - 2] : QString();
            out.texts.emplace_back(name, text);
            const bool inGroup = stack.contains(QStringLiteral("GrpHdr"));
            if (inGroup) {
                if (name == QLatin1String("MsgId")) out.msgId = text;
                if (name == QLatin1String("CreDtTm")) out.creDtTm = text;
                if (name == QLatin1String("NbOfTxs")) out.nbOfTxs = text.toLongLong();
                if (name == QLatin1String("CtrlSum")) out.ctrlSum = text;
            } else if (tx) {
                QString key = name;
                if (name == QLatin1String("Nm") || name == QLatin1String("IBAN") ||
                    name == QLatin1String("Id") || name == QLatin1String("BIC") ||
                    name == QLatin1String("BICFI"))
                    key = parent + QLatin1Char('/') + name;
                if (stack.contains(QStringLiteral("DbtrAgt")))
                    key = QStringLiteral("DbtrAgt");
                if (stack.contains(QStringLiteral("DbtrAcct")))
                    key = QStringLiteral("DbtrAcct");
                (*tx)[key] = text;
            } else if (!out.blocks.empty()) {
                ReadFile::Block& b = out.blocks.back();
                if (name == QLatin1String("PmtInfId")) b.pmtInfId = text;
                if (name == QLatin1String("NbOfTxs")) b.nbOfTxs = text.toLongLong();
                if (name == QLatin1String("CtrlSum")) b.ctrlSum = text;
                if (name == QLatin1String("SeqTp")) b.seqTp = text;
                if (name == QLatin1String("ReqdColltnDt")) b.date = text;
                if (stack.contains(QStringLiteral("CdtrAgt")))
                    b.creditorAgent = text;
            }
        } else if (xml.isEndElement()) {
            if (stack.back() == QLatin1String("DrctDbtTxInf"))
                tx = nullptr;
            stack.pop_back();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return out;
}

class IncassoFile : public ::testing::TestWithParam<Format> {
protected:
    IncassoFile() {
        newDocument(doc);
        addIncassoFields(doc);
        settings = testCreditor(GetParam());
        request.collectionDate = BusinessDays::defaultCollectionDate(Clock::today());
    }

    // A club of count members, each owing; every fifth without a mandate, every third a first
    // collection, names with accents, and some very long.
    void club(int count) {
        static const char* const names[] = {"Zoë Öztürk", "José Müller", "Łukasz & Søren",
                                            "Ångström-Ærø", "d’Hondt", "Jansen"};
        for (int i = 0; i < count; ++i) {
            std::string name = CodePage::fromQStringNearest(QString::fromUtf8(names[i % 6]));
            name += " " + std::to_string(i);
            if (i % 7 == 3)
                name += " " + std::string(90, 'w');
            KMember m = makeMember(doc, name);
            Debtor d = readyDebtor(m.id(), i % 3 == 0);
            if (i % 5 == 4)
                d.mandate.clear();
            if (i % 4 == 1)
                d.bic = "RABONL2U";
            setDebtor(m, d);
            m.addCharge(chargeOf(1, 20260101, {{"Contributie", 10.0 + i * 0.37}}));
            addMember(doc, m);
        }
    }

    KCollectionFileResult write(const QString& path, KProgressReport* progress = nullptr) {
        list = KCollection::list(doc, settings, request);
        return KCollectionFile::write(path, settings, request.collectionDate,
                                      KCollectionFile::ready(list), progress);
    }

    // The rules every file must follow, whatever the club.
    void checkRules(const ReadFile& f, const KCollectionFileResult& written) {
        EXPECT_EQ(f.ns, QStringLiteral("urn:iso:std:iso:20022:tech:xsd:") +
                            (GetParam() == Format::Pain00800102 ? "pain.008.001.02"
                                                                : "pain.008.001.08"));
        EXPECT_EQ(f.msgId, written.msgId);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^KVL-\\d{17}$")).match(f.msgId).hasMatch())
            << f.msgId.toStdString();
        long long count = 0;
        long long cents = 0;
        std::set<QString> endToEnd;
        std::set<QString> sequences;
        for (const ReadFile::Block& b : f.blocks) {
            EXPECT_TRUE(sequences.insert(b.seqTp).second) << "one block per sequence type";
            EXPECT_EQ(b.pmtInfId, f.msgId + QLatin1Char('-') + b.seqTp);
            EXPECT_EQ(b.nbOfTxs, static_cast<long long>(b.transactions.size()));
            long long blockCents = 0;
            for (const auto& tx : b.transactions) {
                const QString amount = tx.at(QStringLiteral("InstdAmt"));
                EXPECT_EQ(tx.at(QStringLiteral("Ccy")), QStringLiteral("EUR"));
                const long long c = centsOf(amount);
                EXPECT_GT(c, 0);
                EXPECT_LE(c, KCollection::kMaxCents);
                blockCents += c;
                const QString id = tx.at(QStringLiteral("EndToEndId"));
                EXPECT_TRUE(endToEnd.insert(id).second) << "EndToEndId twice: " << id.toStdString();
                EXPECT_TRUE(id.endsWith(QStringLiteral("-") + QString(b.date).remove(QLatin1Char('-'))));
                EXPECT_TRUE(tx.at(QStringLiteral("DbtrAcct")).contains(
                    QRegularExpression(QStringLiteral("^[A-Z]{2}[0-9]{2}[A-Z0-9]+$"))));
            }
            EXPECT_EQ(centsOf(b.ctrlSum), blockCents);
            count += b.nbOfTxs;
            cents += blockCents;
        }
        EXPECT_EQ(f.nbOfTxs, count);
        EXPECT_EQ(centsOf(f.ctrlSum), cents);
        EXPECT_EQ(count, written.transactions);
        EXPECT_EQ(cents, written.cents);

        const std::map<QString, int> maxima = {
            {QStringLiteral("Nm"), 70},       {QStringLiteral("Ustrd"), 140},
            {QStringLiteral("MsgId"), 35},    {QStringLiteral("PmtInfId"), 35},
            {QStringLiteral("EndToEndId"), 35}, {QStringLiteral("MndtId"), 35},
        };
        for (const auto& [name, text] : f.texts) {
            const auto max = maxima.find(name);
            if (max == maxima.end())
                continue;
            EXPECT_LE(text.size(), max->second) << name.toStdString();
            EXPECT_FALSE(text.isEmpty());
            for (QChar c : text)
                EXPECT_TRUE(SepaText::inSet(c)) << name.toStdString() << ": " << text.toStdString();
        }
    }

    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    PinnedToday today{20260316};
    PinnedDateFormat dateFormat{"Standard"};
    CKorvelDoc doc;
    IncassoSettings settings;
    KCollectionRequest request;
    KCollectionList list;
    QTemporaryDir m_dir;
};

TEST_P(IncassoFile, ManyMembersTwoSequenceTypesValidAndByTheRules) {
    club(240);
    const QString file = path("incasso.xml");
    const KCollectionFileResult written = write(file);
    ASSERT_TRUE(written.result.isDone()) << written.result.reason().toStdString();
    const SchemaVerdict verdict = validateAgainstSchema(file, GetParam());
    EXPECT_TRUE(verdict.valid) << verdict.messages.toStdString();

    const ReadFile f = readFile(file);
    checkRules(f, written);
    ASSERT_EQ(f.blocks.size(), 2u);
    EXPECT_EQ(f.blocks[0].seqTp, QStringLiteral("FRST"));
    EXPECT_EQ(f.blocks[1].seqTp, QStringLiteral("RCUR"));
    EXPECT_EQ(written.transactions, 240 - 240 / 5); // every fifth has no mandate
    EXPECT_EQ(f.blocks[0].creditorAgent, QStringLiteral("ABNANL2A"));

    // Member by member, the transaction holds what the list says.
    std::map<QString, const KCollectionItem*> byId;
    for (const KCollectionItem& item : list.items)
        byId[QStringLiteral("KVL-%1-%2").arg(item.memberId).arg(request.collectionDate)] = &item;
    int withBic = 0;
    for (const ReadFile::Block& b : f.blocks) {
        for (const auto& tx : b.transactions) {
            const KCollectionItem* item = byId.at(tx.at(QStringLiteral("EndToEndId")));
            EXPECT_EQ(item->first, b.seqTp == QLatin1String("FRST"));
            EXPECT_EQ(centsOf(tx.at(QStringLiteral("InstdAmt"))), item->cents);
            EXPECT_EQ(tx.at(QStringLiteral("MndtId")), item->mandateId);
            EXPECT_EQ(tx.at(QStringLiteral("DtOfSgntr")), QStringLiteral("2024-01-01"));
            EXPECT_EQ(tx.at(QStringLiteral("DbtrAcct")), item->iban);
            EXPECT_EQ(tx.at(QStringLiteral("Dbtr/Nm")), item->debtorName);
            const QString agent = tx.at(QStringLiteral("DbtrAgt"));
            if (agent == QLatin1String("RABONL2U"))
                ++withBic;
            else
                EXPECT_EQ(agent, QStringLiteral("NOTPROVIDED"));
        }
    }
    EXPECT_GT(withBic, 0);
    // The accents are gone, the names are there.
    EXPECT_TRUE(std::any_of(f.texts.begin(), f.texts.end(), [](const auto& t) {
        return t.second.startsWith(QStringLiteral("Zoe Ozturk "));
    }));
}

TEST_P(IncassoFile, OneMemberOneSequenceTypeAndNoCreditorBic) {
    club(1);
    settings.creditorBic.clear();
    const QString file = path("een.xml");
    const KCollectionFileResult written = write(file);
    ASSERT_TRUE(written.result.isDone()) << written.result.reason().toStdString();
    const SchemaVerdict verdict = validateAgainstSchema(file, GetParam());
    EXPECT_TRUE(verdict.valid) << verdict.messages.toStdString();
    const ReadFile f = readFile(file);
    checkRules(f, written);
    ASSERT_EQ(f.blocks.size(), 1u);
    EXPECT_EQ(f.blocks[0].seqTp, QStringLiteral("FRST"));
    EXPECT_EQ(f.blocks[0].creditorAgent, QStringLiteral("NOTPROVIDED"));
    EXPECT_EQ(f.blocks[0].date, QStringLiteral("2026-03-23"));
    EXPECT_EQ(f.ctrlSum, QStringLiteral("10.00"));
}

TEST_P(IncassoFile, LargeAmountsAddUpToTheCent) {
    // Amounts whose doubles do not add up exactly; the sums are counted in cents.
    for (double amount : {0.1, 0.2, 0.3, 999999999.99, 12345678.91}) {
        KMember m = makeMember(doc, "Lid " + std::to_string(amount));
        setDebtor(m, readyDebtor(m.id()));
        m.addCharge(chargeOf(1, 20260101, {{"Contributie", amount}}));
        addMember(doc, m);
    }
    const QString file = path("groot.xml");
    const KCollectionFileResult written = write(file);
    ASSERT_TRUE(written.result.isDone());
    EXPECT_TRUE(validateAgainstSchema(file, GetParam()).valid);
    const ReadFile f = readFile(file);
    checkRules(f, written);
    EXPECT_EQ(f.ctrlSum, QStringLiteral("1012345679.50"));
}

TEST_P(IncassoFile, EveryFileHasItsOwnMessageId) {
    club(3);
    const KCollectionFileResult a = write(path("a.xml"));
    const KCollectionFileResult b = write(path("b.xml"));
    ASSERT_TRUE(a.result.isDone() && b.result.isDone());
    EXPECT_NE(a.msgId, b.msgId);
    // Pinned to noon of the 16th.
    EXPECT_TRUE(a.msgId.startsWith(QStringLiteral("KVL-20260316120000"))) << a.msgId.toStdString();
    EXPECT_EQ(readFile(path("a.xml")).creDtTm.left(19), QStringLiteral("2026-03-16T12:00:00"));
}

INSTANTIATE_TEST_SUITE_P(BothVersions, IncassoFile,
                         ::testing::Values(Format::Pain00800108, Format::Pain00800102),
                         [](const auto& info) {
                             return info.param == Format::Pain00800102 ? std::string("v02")
                                                                       : std::string("v08");
                         });

class StopAt : public KProgressReport {
public:
    explicit StopAt(std::int64_t at) : m_at(at) {}
    bool advance(std::int64_t done) override { return done < m_at; }

private:
    std::int64_t m_at;
};

class IncassoFileFailures : public ::testing::Test {
protected:
    IncassoFileFailures() {
        newDocument(doc);
        addIncassoFields(doc);
        request.collectionDate = 20260320;
    }
    void owing(int count, bool ready = true) {
        for (int i = 0; i < count; ++i) {
            KMember m = makeMember(doc, "Lid " + std::to_string(i));
            Debtor d = readyDebtor(m.id());
            if (!ready)
                d.iban.clear();
            setDebtor(m, d);
            m.addCharge(chargeOf(1, 20260101, {{"Contributie", 25.0}}));
            addMember(doc, m);
        }
    }
    KCollectionFileResult write(const QString& path, KProgressReport* progress = nullptr) {
        list = KCollection::list(doc, settings, request);
        return KCollectionFile::write(path, settings, request.collectionDate,
                                      KCollectionFile::ready(list), progress);
    }

    PinnedToday today{20260316};
    CKorvelDoc doc;
    IncassoSettings settings = testCreditor();
    KCollectionRequest request;
    KCollectionList list;
    QTemporaryDir dir;
};

TEST_F(IncassoFileFailures, StoppingWritesNoFileAndLeavesAnOldOneAlone) {
    owing(1200);
    const QString file = dir.filePath(QStringLiteral("incasso.xml"));
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("oud");
    }
    StopAt stop(500);
    EXPECT_TRUE(write(file, &stop).result.isStopped());
    QFile kept(file);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("oud"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(IncassoFileFailures, TwoMembersWithOneIdMakeNoFile) {
    // Only a damaged file holds two members with one id; their collections would share an
    // EndToEndId, which the bank refuses.
    owing(2);
    list = KCollection::list(doc, settings, request);
    ASSERT_EQ(list.items.size(), 2u);
    list.items[1].memberId = list.items[0].memberId;
    const QString file = dir.filePath(QStringLiteral("dubbel.xml"));
    const KCollectionFileResult written = KCollectionFile::write(
        file, settings, request.collectionDate, KCollectionFile::ready(list));
    EXPECT_TRUE(written.result.isFailed());
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(IncassoFileFailures, NothingToCollectMakesNoFile) {
    owing(3, false);
    const QString file = dir.filePath(QStringLiteral("leeg.xml"));
    const KCollectionFileResult written = write(file);
    EXPECT_EQ(written.result.outcome(), KOutcome::NothingToDo);
    EXPECT_FALSE(written.result.reason().isEmpty());
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(IncassoFileFailures, WrongCreditorDataOrAnUnwritableFolderAreToldInDutch) {
    owing(2);
    settings.creditorId = QStringLiteral("NL78ZZZ999999990000");
    KCollectionFileResult written = write(dir.filePath(QStringLiteral("a.xml")));
    EXPECT_TRUE(written.result.isFailed());
    EXPECT_TRUE(written.result.reason().contains(QStringLiteral("Incassant-ID")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("a.xml"))));

    settings = testCreditor();
    written = write(dir.filePath(QStringLiteral("geen/map/a.xml")));
    EXPECT_TRUE(written.result.isFailed());
    EXPECT_TRUE(written.result.reason().contains(QStringLiteral("kan niet worden bewaard")))
        << written.result.reason().toStdString();
}

} // namespace
