// A component for the tests of the component routine. TEST_BEHAVIOUR says how it answers:
// 1 it works, 2 the class offers no basic interface, 3 it refuses aggregation, 4 it fails
// otherwise, 5 the instance offers no test interface, 6 asking for it fails otherwise.
#include "TestPlugin.h"

#include <atomic>

namespace {

// The interface the tests ask for.
constexpr KGuid kTestInterface = {0x0000B001, 0x0000, 0x4000,
                                  {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}};

std::atomic<int> g_alive{0};

class TestObject final : public IKUnknown {
public:
    TestObject() { ++g_alive; }
    virtual ~TestObject() { --g_alive; }

    KStatus QueryInterface(const KGuid& iid, void** object) override {
        *object = nullptr;
        if (iid == IID_IKUnknown || (iid == kTestInterface && TEST_BEHAVIOUR == 1)) {
            *object = this;
            AddRef();
            return KStatusCode::ok;
        }
        return TEST_BEHAVIOUR == 6 ? KStatusCode::fail : KStatusCode::noInterface;
    }
    std::uint32_t AddRef() override { return ++m_references; }
    std::uint32_t Release() override {
        const std::uint32_t left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

private:
    std::atomic<std::uint32_t> m_references{1};
};

} // namespace

// How many instances live, so that the tests see every reference released.
extern "C" Q_DECL_EXPORT int testComponentsAlive() {
    return g_alive;
}

KStatus TestPlugin::createInstance(IKUnknown* outer, const KGuid& iid, void** object) {
    *object = nullptr;
    if (TEST_BEHAVIOUR == 2)
        return KStatusCode::noInterface;
    if (TEST_BEHAVIOUR == 3 || outer)
        return KStatusCode::noAggregation;
    if (TEST_BEHAVIOUR == 4)
        return KStatusCode::fail;
    auto* instance = new TestObject;
    const KStatus status = instance->QueryInterface(iid, object);
    instance->Release();
    return status;
}
