#include "components/correspondence/CorrespondencePlugin.h"

#include "components/correspondence/CorrespondenceComponent.h"

KStatus CorrespondencePlugin::createInstance(IKUnknown* outer, const KGuid& iid, void** object) {
    return createComObject<CorrespondenceComponent>(outer, iid, object);
}
