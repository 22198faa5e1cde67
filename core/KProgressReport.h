#pragma once

#include <QString>

#include <cstdint>

// How a long piece of work (loading or saving a big club, executing a scheme over many members,
// filling the overview, export, printing, letters) tells the user how far it is, and how it
// learns that the user wants it to stop. The progress window implements it; korvel-cli and the
// tests implement it simply. Work that is stopped leaves the administration as it was.
class KProgressReport {
public:
    virtual ~KProgressReport() = default;

    // The work begins: what it is, and how many steps it has (0 when that is not known).
    virtual void start(const QString& text, std::int64_t total) {
        (void)text;
        (void)total;
    }
    // done of the total steps are done. Returns false when the user asked to stop; the work
    // then ends as soon as it can without leaving anything half done. Cheap enough to call
    // every few hundred steps.
    virtual bool advance(std::int64_t done) = 0;
    // The work has ended, finished or stopped.
    virtual void finish() {}
};

// Reports to nobody and never stops: for work started without a progress window.
class KNoProgress : public KProgressReport {
public:
    bool advance(std::int64_t) override { return true; }
};
