#include "member/KDlgPayment.h"

#include "core/format/TypedDate.h"
#include "member/KDatePicker.h"
#include "member/KFocusEdit.h"
#include "platform/CodePage.h"
#include "res/Commands.h"
#include "view/KCodePageValidator.h"
#include "view/KDialogButtons.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

// The manual knows the dialog by its template number.
constexpr unsigned kTemplate = 156;

} // namespace

KDlgPayment::KDlgPayment(const KPayment& start, QWidget* parent)
    : KSpecCharDialog(parent), m_edit(start), m_result(start) {
    setWindowTitle(QStringLiteral("Ontvangen bedrag"));
    m_messenger = [this](const QString& message) {
        QMessageBox::warning(this, QString::fromLatin1(FrameText::appTitle), message);
    };
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    layout->addLayout(form);

    m_date = new KDatePicker(this);
    m_date->setEmptyAllowed(false);
    m_date->setDate(start.date());
    form->addRow(QStringLiteral("&Datum:"), m_date);

    m_amount = new QLineEdit(CodePage::toQString(m_edit.amountText()), this);
    m_amount->setAlignment(Qt::AlignRight);
    KCodePageValidator::attach(m_amount);
    form->addRow(QStringLiteral("&Bedrag:"), m_amount);
    offerSpecialChars(m_amount);
    offerSpecialChars(m_date->lineEdit());

    m_remarks = new KFocusEdit(this);
    m_remarks->setText(CodePage::toQString(start.remarks()));
    m_remarks->setMinimumWidth(m_remarks->fontMetrics().averageCharWidth() * 40);
    form->addRow(QStringLiteral("O&pmerkingen:"), m_remarks);

    layout->addWidget(new KDialogButtons(*this, KHelpContext::window(kTemplate)));
    m_amount->setFocus();
    m_amount->selectAll();
}

void KDlgPayment::accept() {
    if (m_date->unreadable()) {
        m_messenger(TypedDate::refusal(QStringLiteral("Datum"), m_date->text()));
        m_date->setFocus(Qt::OtherFocusReason);
        return;
    }
    const KPaymentEdit::Collected collected =
        m_edit.collect(m_date->date(), CodePage::fromQString(m_amount->text()),
                       CodePage::fromQString(m_remarks->text()));
    if (!collected.result.isDone()) {
        m_messenger(collected.result.reason());
        m_amount->setFocus(Qt::OtherFocusReason);
        m_amount->selectAll();
        return;
    }
    m_result = collected.payment;
    KSpecCharDialog::accept();
}
