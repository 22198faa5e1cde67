#include "res/Resources.h"

#include <QtGlobal>

void initResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(korvel);
        Q_INIT_RESOURCE(handleiding);
        return true;
    }();
    (void)done;
}
