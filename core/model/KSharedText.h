#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <utility>

// A text that many records hold alike: a field's label (every member holds a copy of every
// field), a part's name and a scheme's description (every charge holds a copy of its scheme).
// Equal texts share one string, which keeps a large administration's memory in bounds and
// makes copying such a record cost no allocation for it. A handle is one pointer wide; the
// empty text is no string at all.
class KSharedText {
public:
    KSharedText() = default;
    explicit KSharedText(std::string text);
    KSharedText(const KSharedText& other) noexcept : m_node(other.m_node) { retain(m_node); }
    KSharedText(KSharedText&& other) noexcept : m_node(std::exchange(other.m_node, nullptr)) {}
    KSharedText& operator=(const KSharedText& other) noexcept {
        retain(other.m_node);
        release(std::exchange(m_node, other.m_node));
        return *this;
    }
    KSharedText& operator=(KSharedText&& other) noexcept {
        if (this != &other)
            release(std::exchange(m_node, std::exchange(other.m_node, nullptr)));
        return *this;
    }
    ~KSharedText() { release(m_node); }

    const std::string& str() const { return m_node ? m_node->text : emptyString(); }
    bool operator==(const KSharedText& other) const {
        return m_node == other.m_node || str() == other.str();
    }

    // The shared text equal to text, found first among the texts met most recently: a file
    // repeats the same few texts millions of times.
    static KSharedText of(const std::string& text);

    struct Node {
        explicit Node(std::string t) : text(std::move(t)) {}
        std::atomic<std::size_t> refs{1};
        const std::string text;
    };

private:
    // Takes over one reference to node.
    explicit KSharedText(Node* node) : m_node(node) {}
    static Node* shared(std::string text);
    static const std::string& emptyString();
    static void retain(Node* node) {
        if (node)
            node->refs.fetch_add(1, std::memory_order_relaxed);
    }
    static void release(Node* node) {
        if (node && node->refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete node;
    }
    friend struct KSharedTextTables;

    Node* m_node = nullptr;
};
