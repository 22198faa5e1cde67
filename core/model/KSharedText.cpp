#include "core/model/KSharedText.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <unordered_map>

namespace {

const std::shared_ptr<const std::string>& emptyText() {
    static const std::shared_ptr<const std::string> empty =
        std::make_shared<const std::string>();
    return empty;
}

} // namespace

KSharedText::KSharedText() : m_text(emptyText()) {}

KSharedText::KSharedText(std::string text)
    : m_text(text.empty() ? emptyText() : shared(std::move(text))) {}

KSharedText::Text KSharedText::shared(std::string text) {
    // Texts in use, found by their content. Entries whose text nobody holds any more are
    // dropped whenever the table has doubled, so reading many files does not make it grow.
    static std::unordered_map<std::string, std::weak_ptr<const std::string>> texts;
    static std::size_t purgeAt = 64;
    auto it = texts.find(text);
    if (it != texts.end())
        if (Text found = it->second.lock())
            return found;
    Text made = std::make_shared<const std::string>(text);
    texts[std::move(text)] = made;
    if (texts.size() >= purgeAt) {
        std::erase_if(texts, [](const auto& entry) { return entry.second.expired(); });
        purgeAt = std::max<std::size_t>(64, 2 * texts.size());
    }
    return made;
}

KSharedText KSharedText::of(const std::string& text) {
    if (text.empty())
        return KSharedText();
    // A small table of recent texts, placed by length and the last characters; it holds at
    // most its size of texts alive.
    static std::array<Text, 256> recent;
    const std::size_t n = text.size();
    const auto slot = static_cast<std::size_t>(
        (n * 31u + static_cast<unsigned char>(text[n - 1]) * 7u +
         static_cast<unsigned char>(text[n / 2])) &
        (recent.size() - 1));
    Text& cached = recent[slot];
    if (!cached || *cached != text)
        cached = shared(text);
    return KSharedText(cached);
}
