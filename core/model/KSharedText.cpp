#include "core/model/KSharedText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <unordered_map>

// The texts in use, found by their content. The table holds a reference to each; an entry
// nobody else holds any more is dropped whenever the table has doubled, so reading many files
// does not make it grow.
struct KSharedTextTables {
    // Never destroyed: texts still held at exit stay reachable from it (and records handed to
    // the process at exit may still refer to them).
    static std::unordered_map<std::string_view, KSharedText::Node*>& texts() {
        static auto* table = new std::unordered_map<std::string_view, KSharedText::Node*>;
        return *table;
    }
    static void purge() {
        std::erase_if(texts(), [](const auto& entry) {
            KSharedText::Node* node = entry.second;
            if (node->refs.load(std::memory_order_acquire) != 1)
                return false;
            KSharedText::release(node);
            return true;
        });
    }
};

const std::string& KSharedText::emptyString() {
    static const std::string empty;
    return empty;
}

KSharedText::KSharedText(std::string text)
    : m_node(text.empty() ? nullptr : shared(std::move(text))) {}

KSharedText::Node* KSharedText::shared(std::string text) {
    static std::size_t purgeAt = 64;
    auto& texts = KSharedTextTables::texts();
    auto it = texts.find(text);
    if (it != texts.end()) {
        retain(it->second);
        return it->second;
    }
    Node* made = new Node(std::move(text));
    texts.emplace(std::string_view(made->text), made);
    retain(made); // one for the table, one for the caller
    if (texts.size() >= purgeAt) {
        KSharedTextTables::purge();
        purgeAt = std::max<std::size_t>(64, 2 * texts.size());
    }
    return made;
}

KSharedText KSharedText::of(const std::string& text) {
    if (text.empty())
        return KSharedText();
    // A small table of recent texts, placed by length and the last characters; it holds at
    // most its size of texts alive.
    static std::array<KSharedText, 256> recent;
    const std::size_t n = text.size();
    const auto slot = static_cast<std::size_t>(
        (n * 31u + static_cast<unsigned char>(text[n - 1]) * 7u +
         static_cast<unsigned char>(text[n / 2])) &
        (recent.size() - 1));
    KSharedText& cached = recent[slot];
    if (cached.str() != text)
        cached = KSharedText(shared(text));
    return cached;
}
