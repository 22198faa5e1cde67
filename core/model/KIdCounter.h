#pragma once

#include <cstdint>
#include <functional>

// The one source of ids for fields, members, schemes, parts and conditions. Ids are never
// reused; handing one out tells the owner (the document marks itself modified).
class KIdCounter {
public:
    std::int32_t lastId() const { return m_lastId; }
    void setLastId(std::int32_t lastId) { m_lastId = lastId; }
    void setOnHandOut(std::function<void()> onHandOut) { m_onHandOut = std::move(onHandOut); }

    std::int32_t handOut() {
        if (m_onHandOut)
            m_onHandOut();
        // Unsigned arithmetic so that the step past the largest id wraps instead of overflowing.
        m_lastId = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_lastId) + 1u);
        return m_lastId;
    }

private:
    std::int32_t m_lastId = 1;
    std::function<void()> m_onHandOut;
};
