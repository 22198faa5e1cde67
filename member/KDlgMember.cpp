#include "member/KDlgMember.h"

#include "core/KQuestions.h"
#include "core/document/CKorvelDoc.h"
#include "core/member/KMemberPages.h"
#include "core/member/KMemberStart.h"
#include "member/KDlgFinancial.h"
#include "member/KFieldRow.h"
#include "platform/CodePage.h"
#include "view/KDialogButtons.h"

#include <QApplication>
#include <QFormLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The manual knows the dialog by its template number.
constexpr unsigned kTemplate = 175;

// A page of fields asks for the room its rows need, up to most of the screen; beyond that it
// scrolls.
class FieldPageArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        QSize hint = widget() ? widget()->sizeHint() : QSize();
        hint += QSize(2 * frameWidth() + verticalScrollBar()->sizeHint().width(), 2 * frameWidth());
        if (const QScreen* screen = this->screen())
            hint = hint.boundedTo(screen->availableGeometry().size() * 3 / 4);
        return hint;
    }
};

// A page of the dialog: as large as the largest page, so that the dialog is sized for it once.
class PageFrame : public QWidget {
public:
    using QWidget::QWidget;
    void setLargest(const QSize& size) {
        m_largest = size;
        updateGeometry();
    }
    QSize sizeHint() const override { return QWidget::sizeHint().expandedTo(m_largest); }

private:
    QSize m_largest;
};

} // namespace

KDlgMember::KDlgMember(const CKorvelDoc& doc, const KMember& start, bool adding,
                       KMemberDialogs& dialogs, KQuestions& questions, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_start(start), m_member(start), m_adding(adding),
      m_dialogs(dialogs),
      m_questions(questions), m_tabs(KMemberPages::tabsInPageOrder(doc.tabs())) {
    setWindowTitle(KMemberPages::windowTitle(start, adding));
    if (adding) {
        // The list shows a new member's first type; the copy holds what the dialog shows.
        KMemberStart::startWithFirstType(m_member, doc.memberTypes());
        m_start = m_member;
    }
    auto* layout = new QVBoxLayout(this);
    m_tabWidget = new QTabWidget(this);
    layout->addWidget(m_tabWidget, 1);

    auto addPage = [this](const QString& title) {
        auto* page = new PageFrame(m_tabWidget);
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(6, 6, 6, 6);
        m_pages.push_back(page);
        m_tabWidget->addTab(page, title);
    };
    for (const KTabDef* tab : m_tabs) {
        QString name = CodePage::toQString(tab->name());
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        addPage(name);
    }
    addPage(QString::fromLatin1(KMemberPages::financialTitle));

    layout->addWidget(new KDialogButtons(*this, KHelpContext::window(kTemplate)));

    // Ctrl+Tab and Ctrl+PgDown go to the next page, with Shift or PgUp to the one before,
    // whichever control has the focus.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}) {
        auto* next = new QShortcut(keys, this);
        connect(next, &QShortcut::activated, this, [this] { stepPage(1); });
    }
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
          QKeySequence(Qt::CTRL | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)}) {
        auto* previous = new QShortcut(keys, this);
        connect(previous, &QShortcut::activated, this, [this] { stepPage(-1); });
    }

    if (hasTabs()) {
        sizeForLargestPage();
        showPage(0);
    }
    connect(m_tabWidget, &QTabWidget::currentChanged, this, &KDlgMember::pageChosen);
}

KDlgMember::~KDlgMember() {
    // The rows point into widgets the pages own.
    m_rows.clear();
}

int KDlgMember::exec() {
    if (!hasTabs()) {
        setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    return QDialog::exec();
}

void KDlgMember::showPage(int index) {
    if (index == m_tabWidget->currentIndex() && index == m_shown)
        return;
    if (index != m_tabWidget->currentIndex()) {
        m_tabWidget->setCurrentIndex(index); // pageChosen follows
        return;
    }
    pageChosen(index);
}

void KDlgMember::pageChosen(int index) {
    if (index < 0 || index >= static_cast<int>(m_pages.size()) || index == m_shown)
        return;
    if (const KResult collected = collect(); !collected.isDone()) {
        // The page stays, with what was typed, until the input reads.
        if (m_shown >= 0) {
            const QSignalBlocker block(m_tabWidget);
            m_tabWidget->setCurrentIndex(m_shown);
        }
        refuse(collected);
        return;
    }
    // The keyboard goes on in the new page, unless the user is stepping through the tabs
    // themselves. (The old page's control has lost the focus already when its page was hidden.)
    const bool moveFocus = m_shown < 0 || !m_tabWidget->tabBar()->hasFocus();
    clearPage();
    m_shown = index;
    if (index < static_cast<int>(m_tabs.size()))
        buildFieldPage(index, *m_tabs[static_cast<std::size_t>(index)]);
    else
        buildFinancialPage(index);
    if (moveFocus)
        focusPage();
}

KResult KDlgMember::collect() {
    m_faultRow = -1;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const KResult result = m_rows[i]->collect();
        if (!result.isDone()) {
            m_faultRow = static_cast<int>(i);
            return result;
        }
    }
    if (m_financial)
        m_financial->collect(m_member);
    return KResult::done();
}

void KDlgMember::refuse(const KResult& result) {
    m_questions.alert(result.reason());
    if (m_faultRow >= 0 && m_faultRow < static_cast<int>(m_rows.size()))
        if (QWidget* input = m_rows[static_cast<std::size_t>(m_faultRow)]->input())
            input->setFocus(Qt::OtherFocusReason);
}

void KDlgMember::clearPage() {
    m_rows.clear();
    m_financial = nullptr;
    if (m_content) {
        m_content->hide();
        m_content->setParent(nullptr);
        m_content->deleteLater();
        m_content = nullptr;
    }
}

void KDlgMember::buildFieldPage(int index, const KTabDef& tab) {
    QWidget* page = m_pages[static_cast<std::size_t>(index)];
    m_content = fieldContent(tab, m_member, m_rows);
    page->layout()->addWidget(m_content);
}

QWidget* KDlgMember::fieldContent(const KTabDef& tab, KMember& member,
                                  std::vector<std::unique_ptr<KFieldRow>>& rows) const {
    auto* area = new FieldPageArea;
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* fields = new QWidget;
    auto* form = new QFormLayout(fields);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (std::int32_t id : tab.fieldIds()) {
        KField* value = member.valueById(id);
        std::string label;
        if (value) {
            label = value->label();
        } else if (const KField* field =
                       m_doc.fields().findFirst([id](const KField& f) { return f.hasId(id); })) {
            label = field->label();
        }
        rows.push_back(
            std::make_unique<KFieldRow>(*form, label, value, m_doc.memberTypes(), m_adding));
    }
    area->setWidget(fields);
    return area;
}

void KDlgMember::sizeForLargestPage() {
    // Each page is built once on a scratch copy to learn the room it asks for; the rows only
    // write into their member when collected, so the copy stays as it was.
    KMember scratch(m_member);
    QSize largest;
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        QWidget measure;
        auto* layout = new QVBoxLayout(&measure);
        layout->setContentsMargins(m_pages[i]->layout()->contentsMargins());
        std::vector<std::unique_ptr<KFieldRow>> rows;
        if (i < m_tabs.size())
            layout->addWidget(fieldContent(*m_tabs[i], scratch, rows));
        else
            layout->addWidget(new KDlgFinancial(scratch, m_dialogs, m_questions, &measure));
        largest = largest.expandedTo(measure.sizeHint());
        rows.clear();
    }
    for (QWidget* page : m_pages)
        static_cast<PageFrame*>(page)->setLargest(largest);
}

void KDlgMember::focusPage() {
    if (m_financial) {
        m_financial->setFocus(Qt::TabFocusReason);
        return;
    }
    for (const auto& row : m_rows) {
        if (row->input() && row->input()->isEnabled()) {
            // As tabbing there would: an edit's text is selected, so typing replaces it.
            row->input()->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void KDlgMember::stepPage(int step) {
    const int count = m_tabWidget->count();
    if (count > 0)
        showPage((m_tabWidget->currentIndex() + step + count) % count);
}

void KDlgMember::buildFinancialPage(int index) {
    QWidget* page = m_pages[static_cast<std::size_t>(index)];
    m_financial = new KDlgFinancial(m_member, m_dialogs, m_questions, page);
    page->layout()->addWidget(m_financial);
    m_content = m_financial;
}

void KDlgMember::accept() {
    if (const KResult collected = collect(); !collected.isDone()) {
        refuse(collected);
        return;
    }
    QDialog::accept();
}

void KDlgMember::reject() {
    collect(); // what does not read differs from the member all the same
    const bool differs = !KMemberStart::sameContents(m_member, m_start) ||
                         (m_faultRow >= 0);
    if (differs && !m_questions.yesNo(QStringLiteral("Wijzigingen in dit lid weggooien?")))
        return;
    QDialog::reject();
}
