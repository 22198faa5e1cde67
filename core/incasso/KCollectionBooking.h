#pragma once

#include "core/settings/IncassoSettings.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

class CKorvelDoc;
struct KCollectionItem;

// Booking a written collection: each member collected gets a payment of the collected amount
// on the collection date with the remark "Incasso <MsgId>", and a member collected as a first
// collection gets "Nee" in the settings' "Eerste incasso" field, so the next run collects it as
// a recurring one. All of it is one undoable step.
namespace KCollectionBooking {

inline constexpr const char* kUndoText = "Incasso boeken";

QString remark(const QString& msgId);

// Returns how many members were booked.
std::size_t book(CKorvelDoc& doc, const IncassoSettings& settings,
                 const std::vector<const KCollectionItem*>& items, const QString& msgId,
                 std::int32_t collectionDate);

} // namespace KCollectionBooking
