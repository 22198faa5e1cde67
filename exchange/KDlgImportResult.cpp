#include "exchange/KDlgImportResult.h"

#include "core/import/KImportReport.h"
#include "res/Commands.h"
#include "view/KDialogHelp.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

KDlgImportResult::KDlgImportResult(const KImportReport& report, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Importeren"));
    auto* layout = new QVBoxLayout(this);
    m_summary = new QLabel(report.summary(), this);
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    m_details = new QPlainTextEdit(this);
    m_details->setReadOnly(true);
    m_details->setPlainText(report.details().join(u'\n'));
    m_details->setMinimumSize(520, 200);
    m_details->setVisible(!report.details().isEmpty());
    layout->addWidget(m_details, 1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &KDlgImportResult::accept);
    KDialogHelp::attach(*this, KHelpContext::command(Cmd::FileImport));
}

QString KDlgImportResult::summary() const {
    return m_summary->text();
}

QString KDlgImportResult::details() const {
    return m_details->toPlainText();
}
