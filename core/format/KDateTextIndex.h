#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Reads a date typed in a free strftime format. Such a format cannot be parsed, so a text is the
// first date, in the order below, whose text equals it byte for byte:
//   today .. today+9, today .. today-9, today+10 .. today+19, today-10 .. today-19, ...
// for 4000 steps of ten days each way; 0 when none matches.
// Walking that order for every text read costs up to 80,000 formatted dates, so the index walks
// it once for a format and a today and keeps, for every distinct text, the first date that gave
// it. Texts are kept while they fit a fixed budget; past it an entry keeps only the hash of its
// text and is checked by formatting its date again, so the answer stays exact.
class KDateTextIndex {
public:
    static constexpr int passes = 4000;
    static constexpr int daysPerPass = 10;

    KDateTextIndex(std::string format, std::int32_t today);

    const std::string& format() const { return m_format; }
    std::int32_t today() const { return m_today; }

    // The first date in search order whose text is text, 0 for none.
    std::int32_t find(std::string_view text) const;

    std::size_t distinctTexts() const { return m_entries.size(); }
    std::size_t memoryBytes() const;

    // find() through one index kept for the latest format and today of the clock.
    static std::int32_t lookup(const std::string& format, std::string_view text);

private:
    struct Entry {
        std::uint32_t hash; // the low half of the text's hash: enough to pick slots and skip most
                            // comparisons; equal texts are always compared in full
        std::int32_t date;
        std::uint32_t offset; // into m_texts, noText when the text was not kept
        std::uint32_t length;
    };
    static constexpr std::uint32_t noText = 0xffffffffu;
    static constexpr std::size_t textBudget = 2 * 1024 * 1024;

    std::string textOf(std::int32_t date) const;
    bool entryHasText(const Entry& entry, std::string_view text) const;
    // The slot holding the entry for text, or the empty slot where it belongs.
    std::size_t slotFor(std::uint32_t hash, std::string_view text) const;
    void add(std::int32_t date, std::string_view text);
    void grow();

    std::string m_format;
    std::int32_t m_today;
    std::vector<Entry> m_entries;
    std::vector<std::uint32_t> m_slots; // entry index + 1, 0 for an empty slot
    std::string m_texts;
};
