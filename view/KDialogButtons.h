#pragma once

#include "view/KHelpContext.h"

#include <QDialogButtonBox>
#include <QString>

class QDialog;
class QPushButton;

// The row of buttons that ends a dialog: "&OK" (the default button, accepts), "&Annuleren"
// (rejects) and "&Help" (the dialog's page of the manual). F1 anywhere in the dialog shows the
// same page (KDialogHelp). While the program has no help file the Help button is grey.
//
//     auto* layout = new QVBoxLayout(this);
//     ...
//     auto* buttons = new KDialogButtons(*this, KHelpContext::command(Cmd::FileImport));
//     layout->addWidget(buttons);
//
// OK calls the dialog's accept() and Annuleren its reject(), overrides included. A dialog whose
// buttons say something else, or stand one below the other, passes Options:
//
//     KDialogButtons::Options options;
//     options.acceptText = QStringLiteral("&Voer uit");
//     options.orientation = Qt::Vertical;
//     auto* buttons = new KDialogButtons(*this, KHelpContext::window(170), options);
class KDialogButtons : public QDialogButtonBox {
    Q_OBJECT

public:
    struct Options {
        QString acceptText = QStringLiteral("&OK");
        QString rejectText = QStringLiteral("&Annuleren");
        // Without a Help button F1 still shows the page.
        bool helpButton = true;
        Qt::Orientation orientation = Qt::Horizontal;
    };

    KDialogButtons(QDialog& dialog, KHelpContext help);
    KDialogButtons(QDialog& dialog, KHelpContext help, const Options& options);

    QPushButton* ok() const { return m_ok; }
    QPushButton* cancel() const { return m_cancel; }
    // nullptr when the row has no Help button.
    QPushButton* help() const { return m_help; }
    KHelpContext helpContext() const { return m_context; }

private:
    KHelpContext m_context;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_help = nullptr;
};
