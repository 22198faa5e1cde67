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

// How a list holds its elements. By default by value, side by side in one array: a member's
// values, charges and payments then take one allocation per list instead of one per element,
// and an element's address changes when the list changes in front of it. A record whose
// address must outlive changes of its list (the document's members, schemes, tabs and
// snapshots, which are found by id and handed out) says stable, and is kept on its own.
template <class T> struct KListStorage {
    static constexpr bool stable = false;
};

// An owning list kept in insertion order: a new element goes in front of the first element
// that does not come before it, so it lands in front of its equals. A key changed after
// insertion does not move the element.
template <class T, class Order = KListOrder<T>> class KSortedList {
    static constexpr bool kStable = KListStorage<T>::stable;

public:
    using Ptr = std::unique_ptr<T>;

private:
    using Slot = std::conditional_t<kStable, Ptr, T>;
    static T& get(Slot& slot) {
        if constexpr (kStable)
            return *slot;
        else
            return slot;
    }
    static const T& get(const Slot& slot) {
        if constexpr (kStable)
            return *slot;
        else
            return slot;
    }
    static Slot slotOf(Ptr item) {
        if constexpr (kStable)
            return item;
        else
            return std::move(*item);
    }
    static Slot slotOf(T&& item) {
        if constexpr (kStable)
            return std::make_unique<T>(std::move(item));
        else
            return std::move(item);
    }
    static Ptr ptrOf(Slot& slot) {
        if constexpr (kStable)
            return std::move(slot);
        else
            return std::make_unique<T>(std::move(slot));
    }

public:
    template <class Base, class Value> class Iter {
    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = std::remove_const_t<Value>;
        using difference_type = std::ptrdiff_t;
        using pointer = Value*;
        using reference = Value&;

        Iter() = default;
        explicit Iter(Base it) : m_it(it) {}
        reference operator*() const { return get(*m_it); }
        pointer operator->() const { return &get(*m_it); }
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
    using iterator = Iter<typename std::vector<Slot>::iterator, T>;
    using const_iterator = Iter<typename std::vector<Slot>::const_iterator, const T>;

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

    T& front() { return get(m_items.front()); }
    const T& front() const { return get(m_items.front()); }
    T& at(std::size_t index) { return get(m_items[index]); }
    const T& at(std::size_t index) const { return get(m_items[index]); }

    T& insert(Ptr item) { return insertSlot(slotOf(std::move(item))); }
    T& insert(T&& item) { return insertSlot(slotOf(std::move(item))); }
    T& insert(const T& item) { return insertSlot(slotOf(T(item))); }

    // Adds many elements with the same result as inserting them one by one in the given
    // order, in n log n when the list starts empty: filled by insertions from empty, a list is
    // sorted with later equals in front, which is a stable sort of the reversed input.
    // An order may offer key(element) when before(a, b) is key(a) < key(b).
    void insertAll(std::vector<Ptr> items) {
        std::vector<Slot> held;
        held.reserve(items.size());
        for (Ptr& item : items)
            held.push_back(slotOf(std::move(item)));
        insertSlots(std::move(held));
    }
    void insertAll(std::vector<T> items)
        requires(!kStable)
    {
        insertSlots(std::move(items));
    }

    // Replaces the contents by count elements made one after another by make(), ordered as if
    // inserted one by one. make() returns an element or a Ptr to one. A file can claim any
    // count: no more than a short list is allocated ahead, and make() ends the loop by throwing
    // when the data runs out.
    template <class Make> void fill(std::int64_t count, Make make) {
        m_items.clear();
        std::vector<Slot> items;
        if (count > 0)
            items.reserve(static_cast<std::size_t>(std::min<std::int64_t>(count, kShortList)));
        for (std::int64_t i = 0; i < count; ++i)
            items.push_back(slotOf(make()));
        insertSlots(std::move(items));
    }

    // Removes and destroys that very element; false when it is not in the list.
    bool removeItem(const T* item) {
        const std::ptrdiff_t at = indexOf(item);
        if (at < 0)
            return false;
        m_items.erase(m_items.begin() + at);
        return true;
    }

    // Removes and destroys the first element that matches; false when none does.
    template <class Pred> bool removeFirst(Pred pred) {
        auto it = std::find_if(m_items.begin(), m_items.end(),
                               [&pred](const Slot& s) { return pred(get(s)); });
        if (it == m_items.end())
            return false;
        m_items.erase(it);
        return true;
    }

    // The place of that very element, or -1 when it is not in the list.
    std::ptrdiff_t indexOf(const T* item) const {
        for (std::size_t i = 0; i < m_items.size(); ++i)
            if (&get(m_items[i]) == item)
                return static_cast<std::ptrdiff_t>(i);
        return -1;
    }
    // The place insert() would give the element.
    std::size_t insertIndex(const T& item) const {
        std::size_t i = 0;
        while (i < m_items.size() && Order::before(get(m_items[i]), item))
            ++i;
        return i;
    }
    // Puts an element back at a place it was taken from, whatever the order says: undoing a
    // change restores the list exactly as it was.
    T& insertAt(std::size_t index, Ptr item) {
        index = std::min(index, m_items.size());
        return get(*m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(index),
                                   slotOf(std::move(item))));
    }
    Ptr takeAt(std::size_t index) {
        Ptr result = ptrOf(m_items[index]);
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
        return result;
    }

    // Takes out every element for which take(element) holds, keeping the order of the rest, and
    // hands them over with the places they had, in list order.
    template <class Pred> std::vector<std::pair<std::size_t, Ptr>> takeWhere(Pred take) {
        std::vector<std::pair<std::size_t, Ptr>> taken;
        std::size_t kept = 0;
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            if (take(static_cast<const T&>(get(m_items[i]))))
                taken.emplace_back(i, ptrOf(m_items[i]));
            else if (kept != i)
                m_items[kept++] = std::move(m_items[i]);
            else
                ++kept;
        }
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(kept), m_items.end());
        return taken;
    }
    // Puts back what takeWhere took, each element at the place it had.
    void putBack(std::vector<std::pair<std::size_t, Ptr>> taken) {
        std::vector<Slot> merged;
        merged.reserve(m_items.size() + taken.size());
        std::size_t next = 0;
        for (auto& [index, item] : taken) {
            while (merged.size() < index && next < m_items.size())
                merged.push_back(std::move(m_items[next++]));
            merged.push_back(slotOf(std::move(item)));
        }
        while (next < m_items.size())
            merged.push_back(std::move(m_items[next++]));
        m_items = std::move(merged);
    }

    // Unlinks that very element and hands it to the caller.
    Ptr take(const T* item) {
        const std::ptrdiff_t at = indexOf(item);
        if (at < 0)
            return nullptr;
        return takeAt(static_cast<std::size_t>(at));
    }

    template <class Pred> T* findFirst(Pred pred) {
        for (Slot& s : m_items)
            if (pred(static_cast<const T&>(get(s))))
                return &get(s);
        return nullptr;
    }
    template <class Pred> const T* findFirst(Pred pred) const {
        for (const Slot& s : m_items)
            if (pred(get(s)))
                return &get(s);
        return nullptr;
    }

    void clear() { m_items.clear(); }

private:
    static constexpr std::size_t kShortList = 24;

    T& insertSlot(Slot item) {
        auto it = m_items.begin();
        while (it != m_items.end() && Order::before(get(*it), get(item)))
            ++it;
        return get(*m_items.insert(it, std::move(item)));
    }

    void insertSlots(std::vector<Slot> items) {
        if (!m_items.empty()) {
            m_items.reserve(m_items.size() + items.size());
            for (Slot& item : items)
                insertSlot(std::move(item));
            return;
        }
        // Elements that each come after the one before them (a file written from a list, as a
        // rule) stay where they are: inserting them one by one appends each.
        bool ascending = true;
        for (std::size_t i = 1; ascending && i < items.size(); ++i)
            ascending = Order::before(get(items[i - 1]), get(items[i]));
        if (ascending) {
            m_items = std::move(items);
            return;
        }
        // Short lists (a member's values, a part's conditions) are inserted one by one, which
        // is cheaper than a sort with a merge buffer.
        if (items.size() <= kShortList) {
            m_items.reserve(items.size());
            for (Slot& item : items)
                insertSlot(std::move(item));
            return;
        }
        std::reverse(items.begin(), items.end());
        if constexpr (requires(const T& t) { Order::key(t); }) {
            // Orders whose comparison has to look a key up compute each key once.
            using Key = decltype(Order::key(get(items.front())));
            std::vector<std::pair<Key, Slot>> keyed;
            keyed.reserve(items.size());
            for (Slot& item : items) {
                Key key = Order::key(get(item));
                keyed.emplace_back(std::move(key), std::move(item));
            }
            std::stable_sort(keyed.begin(), keyed.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            for (std::size_t i = 0; i < keyed.size(); ++i)
                items[i] = std::move(keyed[i].second);
        } else {
            std::stable_sort(items.begin(), items.end(), [](const Slot& a, const Slot& b) {
                return Order::before(get(a), get(b));
            });
        }
        m_items = std::move(items);
    }

    void copyFrom(const KSortedList& other) {
        m_items.reserve(other.m_items.size());
        for (const Slot& s : other.m_items)
            m_items.push_back(slotOf(T(get(s))));
    }

    std::vector<Slot> m_items;
};
