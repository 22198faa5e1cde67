#pragma once

#include "core/document/KDocListener.h"

#include <vector>

// Keeps every notice the document gave, in order.
struct RecordingListener : KDocListener {
    void documentReset() override { ++resets; }
    void membersChanged(const KMemberChange& change) override { changes.push_back(change); }
    void configurationChanged() override { ++configurations; }
    void schemesChanged() override { ++schemes; }
    void modifiedChanged(bool modified) override { modifiedMarks.push_back(modified); }

    int resets = 0;
    int configurations = 0;
    int schemes = 0;
    std::vector<KMemberChange> changes;
    std::vector<bool> modifiedMarks;
};
