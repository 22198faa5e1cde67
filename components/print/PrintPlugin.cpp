#include "components/print/PrintPlugin.h"

#include "components/print/PrintComponent.h"

KStatus PrintPlugin::createInstance(IKUnknown* outer, const KGuid& iid, void** object) {
    return createComObject<PrintComponent>(outer, iid, object);
}
