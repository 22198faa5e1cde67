#pragma once

#include "core/KOutcome.h"

#include <QPageLayout>
#include <QString>

#include <vector>

class KProgressReport;
class LetterSet;
class QPagedPaintDevice;
class QPainter;
class QTextDocument;

// The letters of chosen members on paper: each letter begins on a new page; a letter longer
// than a page goes on over the next.
class LetterBook {
public:
    LetterBook(const QTextDocument& pattern, const LetterSet& set, std::vector<int> members);

    // A4 upright, without margins of its own: the letters keep their own.
    static QPageLayout pageLayout();

    // Draws every letter; false when the progress asked to stop.
    bool paint(QPagedPaintDevice& device, QPainter& painter, KProgressReport* progress) const;
    // All letters in one PDF file, which replaces an existing file only when it is whole.
    // Failed with the Dutch reason, or Stopped.
    KResult writePdf(const QString& path, KProgressReport* progress = nullptr) const;
    // The pages the last paint or write made.
    int pageCount() const { return m_pages; }

private:
    const QTextDocument& m_pattern;
    const LetterSet& m_set;
    std::vector<int> m_members;
    mutable int m_pages = 0;
};
