#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

// The order a list keeps: KListOrder<T>::before(a, b) says that a comes before b.
template <class T> struct KListOrder;

// An owning list kept in insertion order: a new element goes in front of the first element
// that does not come before it, so it lands in front of its equals. A key changed after
// insertion does not move the element. The elements live in a contiguous vector of owning
// pointers; references to elements stay valid while the list changes around them.
template <class T, class Order = KListOrder<T>> class KSortedList {
public:
    using Ptr = std::unique_ptr<T>;

    template <class Base, class Value> class Iter {
    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = std::remove_const_t<Value>;
        using difference_type = std::ptrdiff_t;
        using pointer = Value*;
        using reference = Value&;

        Iter() = default;
        explicit Iter(Base it) : m_it(it) {}
        reference operator*() const { return **m_it; }
        pointer operator->() const { return m_it->get(); }
        Iter& operator++() {
            ++m_it;
            return *this;
        }
        Iter operator++(int) {
            Iter old = *this;
            ++m_it;
            return old;
        }
        Iter& operator--() {
            --m_it;
            return *this;
        }
        Iter operator--(int) {
            Iter old = *this;
            --m_it;
            return old;
        }
        bool operator==(const Iter& o) const { return m_it == o.m_it; }

    private:
        Base m_it{};
    };
    using iterator = Iter<typename std::vector<Ptr>::iterator, T>;
    using const_iterator = Iter<typename std::vector<Ptr>::const_iterator, const T>;

    KSortedList() = default;
    KSortedList(KSortedList&&) noexcept = default;
    KSortedList& operator=(KSortedList&&) noexcept = default;
    // A copy holds copies of every element, in the same order.
    KSortedList(const KSortedList& other) { copyFrom(other); }
    KSortedList& operator=(const KSortedList& other) {
        if (this != &other) {
            m_items.clear();
            copyFrom(other);
        }
        return *this;
    }

    std::size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }

    iterator begin() { return iterator(m_items.begin()); }
    iterator end() { return iterator(m_items.end()); }
    const_iterator begin() const { return const_iterator(m_items.begin()); }
    const_iterator end() const { return const_iterator(m_items.end()); }

    T& front() { return *m_items.front(); }
    const T& front() const { return *m_items.front(); }
    T& at(std::size_t index) { return *m_items[index]; }
    const T& at(std::size_t index) const { return *m_items[index]; }

    T& insert(Ptr item) {
        auto it = m_items.begin();
        while (it != m_items.end() && Order::before(**it, *item))
            ++it;
        return **m_items.insert(it, std::move(item));
    }
    T& insert(const T& item) { return insert(std::make_unique<T>(item)); }

    // Adds many elements with the same result as inserting them one by one in the given
    // order, in n log n when the list starts empty: filled by insertions from empty, a list is
    // sorted with later equals in front, which is a stable sort of the reversed input.
    // An order may offer key(element) when before(a, b) is key(a) < key(b).
    void insertAll(std::vector<Ptr> items) {
        // Short lists (a member's values, a part's conditions) are cheaper to insert one by one
        // than to sort with a merge buffer.
        if (!m_items.empty() || items.size() <= kShortList) {
            m_items.reserve(m_items.size() + items.size());
            for (auto& item : items)
                insert(std::move(item));
            return;
        }
        std::reverse(items.begin(), items.end());
        if constexpr (requires(const T& t) { Order::key(t); }) {
            // Orders whose comparison has to look a key up compute each key once.
            using Key = decltype(Order::key(*items.front()));
            std::vector<std::pair<Key, Ptr>> keyed;
            keyed.reserve(items.size());
            for (Ptr& item : items) {
                Key key = Order::key(*item);
                keyed.emplace_back(std::move(key), std::move(item));
            }
            std::stable_sort(keyed.begin(), keyed.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            for (std::size_t i = 0; i < keyed.size(); ++i)
                items[i] = std::move(keyed[i].second);
        } else {
            std::stable_sort(items.begin(), items.end(),
                             [](const Ptr& a, const Ptr& b) { return Order::before(*a, *b); });
        }
        m_items = std::move(items);
    }

    // Replaces the contents by count elements made one after another by make(), ordered as if
    // inserted one by one. A file can claim any count: nothing is allocated ahead, and make()
    // ends the loop by throwing when the data runs out.
    template <class Make> void fill(std::int64_t count, Make make) {
        m_items.clear();
        std::vector<Ptr> items;
        for (std::int64_t i = 0; i < count; ++i)
            items.push_back(make());
        insertAll(std::move(items));
    }

    // Removes and destroys that very element; false when it is not in the list.
    bool removeItem(const T* item) {
        auto it = std::find_if(m_items.begin(), m_items.end(),
                               [item](const Ptr& p) { return p.get() == item; });
        if (it == m_items.end())
            return false;
        m_items.erase(it);
        return true;
    }

    // Removes and destroys the first element that matches; false when none does.
    template <class Pred> bool removeFirst(Pred pred) {
        auto it = std::find_if(m_items.begin(), m_items.end(),
                               [&pred](const Ptr& p) { return pred(static_cast<const T&>(*p)); });
        if (it == m_items.end())
            return false;
        m_items.erase(it);
        return true;
    }

    // The place of that very element, or -1 when it is not in the list.
    std::ptrdiff_t indexOf(const T* item) const {
        for (std::size_t i = 0; i < m_items.size(); ++i)
            if (m_items[i].get() == item)
                return static_cast<std::ptrdiff_t>(i);
        return -1;
    }
    // The place insert() would give the element.
    std::size_t insertIndex(const T& item) const {
        std::size_t i = 0;
        while (i < m_items.size() && Order::before(*m_items[i], item))
            ++i;
        return i;
    }
    // Puts an element back at a place it was taken from, whatever the order says: undoing a
    // change restores the list exactly as it was.
    T& insertAt(std::size_t index, Ptr item) {
        index = std::min(index, m_items.size());
        return **m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(index),
                                std::move(item));
    }
    Ptr takeAt(std::size_t index) {
        Ptr result = std::move(m_items[index]);
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
        return result;
    }

    // Takes out every element for which take(element) holds, keeping the order of the rest, and
    // hands them over with the places they had, in list order.
    template <class Pred> std::vector<std::pair<std::size_t, Ptr>> takeWhere(Pred take) {
        std::vector<std::pair<std::size_t, Ptr>> taken;
        std::size_t kept = 0;
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            if (take(static_cast<const T&>(*m_items[i])))
                taken.emplace_back(i, std::move(m_items[i]));
            else
                m_items[kept++] = std::move(m_items[i]);
        }
        m_items.resize(kept);
        return taken;
    }
    // Puts back what takeWhere took, each element at the place it had.
    void putBack(std::vector<std::pair<std::size_t, Ptr>> taken) {
        std::vector<Ptr> merged;
        merged.reserve(m_items.size() + taken.size());
        std::size_t next = 0;
        for (auto& [index, item] : taken) {
            while (merged.size() < index && next < m_items.size())
                merged.push_back(std::move(m_items[next++]));
            merged.push_back(std::move(item));
        }
        while (next < m_items.size())
            merged.push_back(std::move(m_items[next++]));
        m_items = std::move(merged);
    }

    // Unlinks that very element and hands it to the caller.
    Ptr take(const T* item) {
        auto it = std::find_if(m_items.begin(), m_items.end(),
                               [item](const Ptr& p) { return p.get() == item; });
        if (it == m_items.end())
            return nullptr;
        Ptr result = std::move(*it);
        m_items.erase(it);
        return result;
    }

    template <class Pred> T* findFirst(Pred pred) {
        for (auto& p : m_items)
            if (pred(static_cast<const T&>(*p)))
                return p.get();
        return nullptr;
    }
    template <class Pred> const T* findFirst(Pred pred) const {
        for (auto& p : m_items)
            if (pred(*p))
                return p.get();
        return nullptr;
    }

    void clear() { m_items.clear(); }

private:
    static constexpr std::size_t kShortList = 24;

    void copyFrom(const KSortedList& other) {
        m_items.reserve(other.m_items.size());
        for (const auto& p : other.m_items)
            m_items.push_back(std::make_unique<T>(*p));
    }

    std::vector<Ptr> m_items;
};
