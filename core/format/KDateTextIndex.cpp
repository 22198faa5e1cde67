#include "core/format/KDateTextIndex.h"

#include "core/format/Clock.h"
#include "core/format/KDateValue.h"

#include <functional>
#include <utility>
#include <memory>

namespace {
std::uint32_t hashOf(std::string_view text) {
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(text));
}
} // namespace

KDateTextIndex::KDateTextIndex(std::string format, std::int32_t today)
    : m_format(std::move(format)), m_today(today), m_slots(1024, 0) {
    KDateValue forward(today);
    KDateValue backward(today);
    for (int pass = 0; pass < passes; ++pass) {
        for (int i = 0; i < daysPerPass; ++i, forward.nextDay())
            add(forward.value(), textOf(forward.value()));
        for (int i = 0; i < daysPerPass; ++i, backward.prevDay())
            add(backward.value(), textOf(backward.value()));
    }
    m_entries.shrink_to_fit();
    m_texts.shrink_to_fit();
}

std::string KDateTextIndex::textOf(std::int32_t date) const {
    return KDateValue(date).TextAs(m_format);
}

bool KDateTextIndex::entryHasText(const Entry& entry, std::string_view text) const {
    if (entry.length != text.size())
        return false;
    if (entry.offset != noText)
        return std::string_view(m_texts).substr(entry.offset, entry.length) == text;
    return textOf(entry.date) == text;
}

std::size_t KDateTextIndex::slotFor(std::uint32_t hash, std::string_view text) const {
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t index = m_slots[slot];
        if (index == 0)
            return slot;
        const Entry& entry = m_entries[index - 1];
        if (entry.hash == hash && entryHasText(entry, text))
            return slot;
    }
}

void KDateTextIndex::add(std::int32_t date, std::string_view text) {
    const std::uint32_t hash = hashOf(text);
    const std::size_t slot = slotFor(hash, text);
    if (m_slots[slot] != 0)
        return; // an earlier date in search order already gives this text
    Entry entry{hash, date, noText, static_cast<std::uint32_t>(text.size())};
    if (m_texts.size() + text.size() <= textBudget) {
        entry.offset = static_cast<std::uint32_t>(m_texts.size());
        m_texts.append(text);
    }
    m_entries.push_back(entry);
    m_slots[slot] = static_cast<std::uint32_t>(m_entries.size());
    if (m_entries.size() * 2 > m_slots.size())
        grow();
}

void KDateTextIndex::grow() {
    std::vector<std::uint32_t> table(m_slots.size() * 2, 0);
    const std::size_t mask = table.size() - 1;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        std::size_t slot = m_entries[i].hash & mask;
        while (table[slot] != 0)
            slot = (slot + 1) & mask;
        table[slot] = static_cast<std::uint32_t>(i + 1);
    }
    m_slots = std::move(table);
}

std::int32_t KDateTextIndex::find(std::string_view text) const {
    const std::uint32_t index = m_slots[slotFor(hashOf(text), text)];
    return index == 0 ? 0 : m_entries[index - 1].date;
}

std::size_t KDateTextIndex::memoryBytes() const {
    return sizeof(*this) + m_entries.capacity() * sizeof(Entry) +
           m_slots.capacity() * sizeof(std::uint32_t) + m_texts.capacity();
}

std::int32_t KDateTextIndex::lookup(const std::string& format, std::string_view text) {
    static std::unique_ptr<KDateTextIndex> index;
    const std::int32_t today = Clock::today();
    if (!index || index->today() != today || index->format() != format)
        index = std::make_unique<KDateTextIndex>(format, today);
    return index->find(text);
}
