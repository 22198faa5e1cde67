#include "res/Resources.h"

#include <QtGlobal>

void initResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(korvel);
        return true;
    }();
    (void)done;
}
