#pragma once

// What the document tells the program around it: the views to refresh, the member count for
// the status bar, and that an old file brought the default grid columns back.
class KDocObserver {
public:
    virtual ~KDocObserver() = default;
    virtual void updateAllViews() = 0;
    virtual void showMemberCount(long count) = 0;
    virtual void restoreDefaultColumns() {}
    // A message about the file being read that the user should see.
    virtual void loadMessage(const char* /*text*/) {}
};
