#pragma once

#include "core/KOutcome.h"
#include "core/model/KMember.h"

#include <QDialog>

#include <memory>
#include <vector>

class CKorvelDoc;
class KDlgFinancial;
class KFieldRow;
class KMemberDialogs;
class KQuestions;
class KTabDef;
class QTabWidget;
class QWidget;

// Adds or changes one member: one page per tab of the document in the order of their positions,
// each built when shown with a row per field of the tab, then the page "Financieel". The dialog
// works on a copy of the member: what the user entered on a page goes into the copy whenever
// another page is chosen and on OK, and the caller takes the copy after OK. An amount or a date
// typed so that it does not read keeps the page (and the dialog) open with a message naming the
// field. Escape or "Annuleren" asks before a copy that differs from the member is thrown away.
// The dialog takes the size of its largest page once, so choosing a page never resizes it. A
// document without tabs has nothing to show: the dialog ends at once as if cancelled.
class KDlgMember : public QDialog {
    Q_OBJECT

public:
    KDlgMember(const CKorvelDoc& doc, const KMember& start, bool adding, KMemberDialogs& dialogs,
               KQuestions& questions, QWidget* parent = nullptr);
    ~KDlgMember() override;

    // Rejected at once when there are no tabs.
    int exec() override;
    bool hasTabs() const { return !m_tabs.empty(); }

    // The working copy; after OK the member as the user left it.
    const KMember& member() const { return m_member; }

    QTabWidget* tabWidget() const { return m_tabWidget; }
    // Shows the page at that index, as choosing its tab does.
    void showPage(int index);
    const std::vector<std::unique_ptr<KFieldRow>>& rows() const { return m_rows; }
    // The financial page while it is shown.
    KDlgFinancial* financialPage() const { return m_financial; }

    // Writes what the current page shows into the working copy; Failed, with the Dutch reason,
    // when an input does not read (the rows before it are taken).
    KResult collect();
    // Refused while an input does not read: the user is told why and the input gets the focus.
    void accept() override;
    // Asks "Wijzigingen in dit lid weggooien?" when the copy differs from the member.
    void reject() override;

private:
    void pageChosen(int index);
    void clearPage();
    void buildFieldPage(int index, const KTabDef& tab);
    void focusPage();
    void stepPage(int step);
    void buildFinancialPage(int index);
    QWidget* fieldContent(const KTabDef& tab, KMember& member,
                          std::vector<std::unique_ptr<KFieldRow>>& rows) const;
    void sizeForLargestPage();
    // Tells the user why the page cannot be left and puts the focus where the fault is.
    void refuse(const KResult& result);

    const CKorvelDoc& m_doc;
    KMember m_start; // what the copy is compared with on Escape
    KMember m_member;
    bool m_adding;
    KMemberDialogs& m_dialogs;
    KQuestions& m_questions;
    std::vector<const KTabDef*> m_tabs;
    QTabWidget* m_tabWidget = nullptr;
    std::vector<QWidget*> m_pages;
    QWidget* m_content = nullptr; // what the current page shows
    int m_shown = -1;
    int m_faultRow = -1; // the row whose input did not read at the last collect
    std::vector<std::unique_ptr<KFieldRow>> m_rows;
    KDlgFinancial* m_financial = nullptr;
};
