#include "incasso/KIncassoCommands.h"

#include "core/KProgressReport.h"
#include "core/KQuestions.h"
#include "core/contrib/KOutstanding.h"
#include "core/document/CKorvelDoc.h"
#include "core/format/Clock.h"
#include "core/incasso/BusinessDays.h"
#include "core/incasso/KCollectionBooking.h"
#include "core/incasso/KCollectionFile.h"
#include "core/incasso/KCreditorCheck.h"
#include "core/settings/Settings.h"
#include "platform/CodePage.h"
#include "res/Commands.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

namespace {

QString dutchDate(std::int32_t date) {
    return QDate(date / 10000, (date / 100) % 100, date % 100)
        .toString(QStringLiteral("dd-MM-yyyy"));
}

} // namespace

KIncassoCommands::KIncassoCommands(KCommandHost& host, std::unique_ptr<KIncassoDialogs> dialogs)
    : m_host(host), m_doc(host.document()), m_dialogs(std::move(dialogs)) {
    host.setHandler(Cmd::ContrSepa, [this] { makeFile(); });
}

KIncassoCommands::~KIncassoCommands() = default;

void KIncassoCommands::makeFile() {
    KQuestions& questions = m_host.questions();
    const IncassoSettings settings = Settings::incasso();
    if (const QString problem = KCreditorCheck::problem(settings, true); !problem.isEmpty()) {
        questions.alert(QString::fromUtf8(kNoCreditor).arg(problem));
        return;
    }
    if (m_doc.members().empty()) {
        questions.alert(QString::fromLatin1(kNoMembers));
        return;
    }

    KIncassoSetup setup;
    setup.today = Clock::today();
    setup.collectionDate = BusinessDays::defaultCollectionDate(setup.today);
    // The schemes as the overview has them: one per date and id, in scheme order.
    const KOutstanding columns(m_doc);
    for (const KContribution* scheme : columns.schemeColumns()) {
        setup.schemeNames.push_back(CodePage::toQString(scheme->description()));
        setup.schemeIds.push_back(scheme->id());
    }
    const CKorvelDoc& doc = m_doc;
    const auto listFor = [&doc, &settings](const KCollectionRequest& request) {
        return KCollection::list(doc, settings, request);
    };
    const std::optional<KIncassoChoice> choice = m_dialogs->chooseCollection(setup, listFor);
    if (!choice)
        return;
    const KCollectionRequest& request = choice->request;
    if (const QString problem =
            BusinessDays::collectionDateProblem(request.collectionDate, Clock::today());
        !problem.isEmpty()) {
        questions.alert(problem);
        return;
    }

    const KCollectionList list = KCollection::list(m_doc, settings, request);
    if (!list.result.isDone()) {
        if (list.result.isFailed())
            questions.alert(list.result.reason());
        return;
    }
    const std::vector<const KCollectionItem*> items =
        KCollectionFile::chosen(list, choice->memberIds);
    if (items.empty()) {
        questions.alert(QString::fromUtf8(kNobodyChosen));
        return;
    }

    const QString folder =
        m_doc.pathName().isEmpty() ? Settings::dataFolder() : QFileInfo(m_doc.pathName()).path();
    const QString suggested =
        QDir(folder.isEmpty() ? QDir::homePath() : folder)
            .filePath(QStringLiteral("incasso-%1.xml").arg(request.collectionDate));
    const std::optional<QString> path = m_dialogs->savePath(suggested);
    if (!path)
        return;

    const std::unique_ptr<KProgressReport> progress = m_dialogs->progress();
    const KCollectionFileResult written =
        KCollectionFile::write(*path, settings, request.collectionDate, items, progress.get());
    if (written.result.isStopped()) {
        questions.alert(QString::fromUtf8(kStopped));
        return;
    }
    if (!written.result.isDone()) {
        questions.alert(written.result.reason());
        return;
    }
    questions.alert(KCollectionFile::summaryText(written, *path));
    if (!questions.yesNo(QString::fromUtf8(kBookNow)
                             .arg(dutchDate(request.collectionDate),
                                  KCollectionBooking::remark(written.msgId))))
        return;
    KCollectionBooking::book(m_doc, settings, items, written.msgId, request.collectionDate);
}
