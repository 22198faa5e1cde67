#pragma once

#include <QDialog>

struct KImportReport;
class QLabel;
class QPlainTextEdit;

// What an import did: how many members were added and filled in and how many rows were
// skipped, then every skipped row with its reason and every text whose characters were
// replaced.
class KDlgImportResult : public QDialog {
    Q_OBJECT

public:
    explicit KDlgImportResult(const KImportReport& report, QWidget* parent = nullptr);

    QString summary() const;
    QString details() const;

private:
    QLabel* m_summary;
    QPlainTextEdit* m_details;
};
