#pragma once

#include "platform/Components.h"

#include <atomic>
#include <cstdint>

// The basic three operations for a component with one interface of its own: it answers to the
// basic interface id and to its own, counts references and goes when the last is released.
template <class Interface, const KGuid& Iid> class ComObject : public Interface {
public:
    KStatus QueryInterface(const KGuid& iid, void** object) override {
        if (!object)
            return KStatusCode::pointer;
        if (iid == IID_IKUnknown || iid == Iid) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return KStatusCode::ok;
        }
        *object = nullptr;
        return KStatusCode::noInterface;
    }
    std::uint32_t AddRef() override { return ++m_references; }
    std::uint32_t Release() override {
        const std::uint32_t left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

private:
    std::atomic<std::uint32_t> m_references{1};
};

// A factory's work for a component class T: no aggregation; a new instance asked for iid.
template <class T> KStatus createComObject(IKUnknown* outer, const KGuid& iid, void** object) {
    if (!object)
        return KStatusCode::pointer;
    *object = nullptr;
    if (outer)
        return KStatusCode::noAggregation;
    T* instance = new T; // holds the one reference released below
    const KStatus status = instance->QueryInterface(iid, object);
    instance->Release();
    return status;
}
