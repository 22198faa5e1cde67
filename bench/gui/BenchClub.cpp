#include "bench/gui/BenchClub.h"

#include "core/document/CKorvelDoc.h"
#include "core/generate/ClubGenerator.h"

bool writeBenchClub(const QString& path, int members, unsigned seed) {
    CKorvelDoc doc;
    ClubGenerator(seed).generate(doc, members);
    return doc.OnSaveDocument(path).isDone();
}
