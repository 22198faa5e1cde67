#pragma once

#include "platform/Components.h"

#include <QObject>

// The correspondence component's library: declares the class id and makes instances.
class CorrespondencePlugin : public QObject, public KComponentFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KComponentFactory_iid FILE "correspondence.json")
    Q_INTERFACES(KComponentFactory)

public:
    KStatus createInstance(IKUnknown* outer, const KGuid& iid, void** object) override;
};
