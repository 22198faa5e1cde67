#pragma once

#include <QHBoxLayout>

class QDialog;
class QPushButton;

// The row of "&OK", "&Annuleren" and "&Help" that ends every configuration dialog; OK is the
// default button. Help opens the application's help on the dialog's page (the dialog's
// template number, as the help file numbers its pages) and is disabled while the program has
// no help file.
class KDialogButtons : public QHBoxLayout {
public:
    KDialogButtons(QDialog* dialog, unsigned templateId);

    QPushButton* ok() const { return m_ok; }
    QPushButton* cancel() const { return m_cancel; }
    QPushButton* help() const { return m_help; }

    // The help context of a dialog template.
    static unsigned helpContext(unsigned templateId) { return 0x20000u + templateId; }

private:
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPushButton* m_help;
};
