#pragma once
// Edits of the device's capture format lists (reports 0x18 to 0x1A) on a freshly read
// record, shared by the list editors and the tests. Each returns true when the record
// is to be written back, false when the change is refused and nothing may be written.
//
// Rules that protect what the device stores:
//  * counts are clamped to the record's capacity, and a default index at or beyond the
//    count means "no default" (and stays that way);
//  * a full list is never added to: no stored entry, shown by an editor or not, is
//    pushed out to make room;
//  * the default stays on its value, not on its slot, so unsorted lists and entries an
//    editor hides cannot make another entry the default.

#include "device/kvcaprecords.h"

#include <cstdint>

// Ascending sorts of the device's slot order: durations by unsigned compare, sizes by
// signed width, then height.
void BubbleSort2(unsigned int* values, int n);
void BubbleSort2(_KVSIZE* sizes, int n);

inline bool operator==(const _KVSIZE& a, const _KVSIZE& b)
{
    return a.cx == b.cx && a.cy == b.cy;
}

namespace formatlists {

// Valid entries of each list.
inline int Count(const _KVCAP_FRAME_INTERVAL_LIST& list) { return KvListCount(list.count, KVCAP_FRAME_INTERVAL_MAX); }
inline int Count(const _KVCAP_FRAME_SIZE_LIST& list) { return KvListCount(list.count, KVCAP_FRAME_SIZE_MAX); }
inline int Count(const _KVCAP_COLOR_FORMAT_LIST& list) { return KvListCount(list.count, KVCAP_COLOR_FORMAT_MAX); }

// The default slot, or -1 when the list has none.
template <typename List>
int DefaultIndex(const List& list)
{
    return list.defaultIndex < Count(list) ? int(list.defaultIndex) : -1;
}

// Adds (`on`) or removes one duration / size and keeps the list sorted. Refused: adding
// to a full list or a value already stored, removing from an empty list, and removing
// the last entry (the device keeps one). Removing a value the list does not hold sorts
// the list and writes it otherwise unchanged. Removing the default makes its neighbour
// the default: the slot before it when it was last, else the slot after it.
bool ToggleEntry(_KVCAP_FRAME_INTERVAL_LIST& list, uint32_t duration, bool on);
bool ToggleEntry(_KVCAP_FRAME_SIZE_LIST& list, _KVSIZE size, bool on);

// Makes the slot holding `value` the default; false when no slot holds it or it is
// the default already.
bool SetDefaultValue(_KVCAP_FRAME_INTERVAL_LIST& list, uint32_t duration);
bool SetDefaultValue(_KVCAP_FRAME_SIZE_LIST& list, _KVSIZE size);

// Colour formats keep the device's priority order. Adding appends (refused when full);
// removing takes out the first slot with the code (written back unchanged when none).
bool ToggleColorFormat(_KVCAP_COLOR_FORMAT_LIST& list, uint32_t code, bool on);
// Swaps the format with its nearest neighbour above (`up`) or below that the editor
// shows as a row, so that entries it does not show never take a visible move. A row
// stands for a slot whose code is `shown` and stored in no later slot: of a code a
// device stores twice, the row is the last copy, and that copy is the one moved. The
// record is written back also when nothing moved.
bool MoveColorFormat(_KVCAP_COLOR_FORMAT_LIST& list, uint32_t code, bool up, bool (*shown)(uint32_t, int),
                     int offered);

} // namespace formatlists
