#pragma once

#include <cstdint>
#include <vector>

// Members an edit added, changed or removed, by id.
struct KMemberChange {
    std::vector<std::int32_t> added;
    std::vector<std::int32_t> changed;
    std::vector<std::int32_t> removed;

    bool empty() const { return added.empty() && changed.empty() && removed.empty(); }
};

// What the document tells whoever shows it (the main view, the status bar, the title): after
// every change, what changed. Any number of listeners may listen; each overrides what it needs.
class KDocListener {
public:
    virtual ~KDocListener() = default;

    // A new administration or an opened file: everything may differ.
    virtual void documentReset() {}
    // Members added, changed (values, charges or payments) or removed.
    virtual void membersChanged(const KMemberChange& change) { (void)change; }
    // The fields, the tabs or the member types: every member may show differently.
    virtual void configurationChanged() {}
    // Schemes added, changed or removed.
    virtual void schemesChanged() {}
    // The modified mark went on or off.
    virtual void modifiedChanged(bool modified) { (void)modified; }
};
