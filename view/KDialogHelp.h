#pragma once

#include "view/KHelpContext.h"

#include <QObject>

#include <functional>

class QWidget;

// F1 in a dialog shows the dialog's page of the manual, as its Help button does. Every page is
// shown through one shower for the whole program: the application's help window, unless a test
// scripts it. A widget inside a dialog may have a page of its own (the member dialog's financial
// page): F1 in it shows that page, elsewhere in the dialog the dialog's.
//
//     KDialogHelp::attach(*this, KHelpContext::window(kTemplate));
//
// A dialog that ends with KDialogButtons needs no call of its own: the row attaches its help.
class KDialogHelp : public QObject {
    Q_OBJECT

public:
    using Shower = std::function<void(KHelpContext)>;

    // F1 in widget, or in any control inside it that leaves F1 alone, shows the page of context.
    // Attaching again replaces the context. The widget owns what this makes.
    static void attach(QWidget& widget, KHelpContext context);
    // Whether pages can be shown: the program has a help file, or a shower stands in for it.
    static bool available();
    static void show(KHelpContext context);
    // Shows the pages through shower instead of the help window (an empty one returns to the
    // help window); gives back the shower it replaces.
    static Shower setShower(Shower shower);

    KHelpContext context() const { return m_context; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KDialogHelp(QWidget& widget, KHelpContext context);

    KHelpContext m_context;
};
