#pragma once

#include <memory>
#include <string>

// A text that many records hold alike: a field's label (every member holds a copy of every
// field), a part's name and a scheme's description (every charge holds a copy of its scheme).
// Equal texts share one string, which keeps a large administration's memory in bounds and
// makes copying such a record cost no allocation for it.
class KSharedText {
public:
    KSharedText();
    explicit KSharedText(std::string text);

    const std::string& str() const { return *m_text; }
    bool operator==(const KSharedText& other) const {
        return m_text == other.m_text || *m_text == *other.m_text;
    }

    // The shared text equal to text, found first among the texts met most recently: a file
    // repeats the same few texts millions of times.
    static KSharedText of(const std::string& text);

private:
    using Text = std::shared_ptr<const std::string>;
    explicit KSharedText(Text text) : m_text(std::move(text)) {}
    static Text shared(std::string text);

    Text m_text;
};
