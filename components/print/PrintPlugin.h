#pragma once

#include "platform/Components.h"

#include <QObject>

// The print component's library: declares the class id and makes instances.
class PrintPlugin : public QObject, public KComponentFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KComponentFactory_iid FILE "print.json")
    Q_INTERFACES(KComponentFactory)

public:
    KStatus createInstance(IKUnknown* outer, const KGuid& iid, void** object) override;
};
