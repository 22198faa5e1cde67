#pragma once

#include "core/statement/KStatementReview.h"

#include <QDialog>

#include <cstdint>
#include <vector>

class QLineEdit;
class QListView;
class QSortFilterProxyModel;
class QStringListModel;

// "Lid kiezen": the member an amount is for, found by typing part of the name. The members the
// matching suggested stand at the top.
class KDlgPickMember : public QDialog {
    Q_OBJECT

public:
    KDlgPickMember(std::vector<KStatementReview::Choice> choices, const QString& about,
                   QWidget* parent = nullptr);

    QLineEdit* filter() const { return m_filter; }
    QListView* list() const { return m_list; }
    // The member of the current line; 0 when none.
    std::int32_t chosen() const;

private:
    std::vector<KStatementReview::Choice> m_choices;
    QLineEdit* m_filter = nullptr;
    QListView* m_list = nullptr;
    QStringListModel* m_names = nullptr;
    QSortFilterProxyModel* m_shown = nullptr;
};
