#pragma once
// Typed access to the device's reports: the record type says which report it is, so
// callers never write a report id, a length or a cast.
//
//     _KVCAP_VIDEO_STATUS status;
//     if (ReadReport(device, status)) ...                    // zero-filled, then read
//     ModifyReport<_KVCAP_VIDEO_PROCESS_SETTINGS>(device, [&](auto& r) { r.flip = 1; });
//     ReadReport(device, packet, 3);                         // per-index reports
//
// Every call fails without a transfer when the device is null, the index is outside the
// record's range or the report cannot go that way. Callers hold the presenter lock.

#include "device/kvcaprecords.h"
#include "device/lumivandrexdevice.h"

#include <cstring>
#include <type_traits>

namespace reportaccess_detail {

template <typename Record>
inline int ReportId(int index, KvReportDirection direction)
{
    static_assert(std::is_trivially_copyable<Record>::value, "report records are plain bytes");
    using Of = KvReportOf<Record>;
    if (index < 0 || index >= Of::kCount)
        return -1;
    const int id = Of::kFirstId + index;
    const KvReportEntry* entry = FindReport(uint8_t(id));
    return entry && (entry->direction & direction) ? id : -1;
}

} // namespace reportaccess_detail

// The report id of a record (plus index), for logs and tests; -1 when out of range.
template <typename Record>
inline int ReportIdOf(int index = 0)
{
    return reportaccess_detail::ReportId<Record>(index, KvReportGetSet);
}

// Zero-fills `record`, then reads it. False on any failure; the record is then all zero.
// A short reply succeeds and the missing bytes stay zero.
template <typename Record>
inline bool ReadReport(LumivandrexDevice* device, Record& record, int index = 0)
{
    std::memset(static_cast<void*>(&record), 0, sizeof record);
    const int id = reportaccess_detail::ReportId<Record>(index, KvReportGet);
    if (!device || id < 0)
        return false;
    return HidGetReport(device, uint8_t(id), reinterpret_cast<unsigned char*>(&record), int(sizeof record));
}

// ReadReport that also tells how many payload bytes the device really sent (0 on failure),
// for callers to whom a short reply is not the same as zeros.
template <typename Record>
inline bool ReadReportReceived(LumivandrexDevice* device, Record& record, int* received, int index = 0)
{
    std::memset(static_cast<void*>(&record), 0, sizeof record);
    if (received)
        *received = 0;
    const int id = reportaccess_detail::ReportId<Record>(index, KvReportGet);
    if (!device || id < 0)
        return false;
    return HidGetReportReceived(device, uint8_t(id), reinterpret_cast<unsigned char*>(&record),
                                int(sizeof record), received);
}

// Reads `record` and succeeds only when the device sent all of it. Any write whose bytes
// come from a read goes through this: a short reply would put zeros over settings the
// device never sent.
template <typename Record>
inline bool ReadWholeReport(LumivandrexDevice* device, Record& record, int index = 0)
{
    int received = 0;
    if (ReadReportReceived(device, record, &received, index) && received >= int(sizeof record))
        return true;
    std::memset(static_cast<void*>(&record), 0, sizeof record);
    return false;
}

template <typename Record>
inline bool WriteReport(LumivandrexDevice* device, const Record& record, int index = 0)
{
    const int id = reportaccess_detail::ReportId<Record>(index, KvReportSet);
    if (!device || id < 0)
        return false;
    return HidSetReport(device, uint8_t(id), reinterpret_cast<const unsigned char*>(&record), int(sizeof record));
}

// Read, change, write back. When the read fails or comes back short, nothing is changed or
// written and the result is false: a device must never get zeros it did not send.
// `change(Record&)` may return false to cancel the write (then the result is false too).
template <typename Record, typename Change>
inline bool ModifyReport(LumivandrexDevice* device, Change&& change, int index = 0)
{
    Record record;
    if (!ReadWholeReport(device, record, index))
        return false;
    if constexpr (std::is_same<decltype(change(record)), bool>::value) {
        if (!change(record))
            return false;
    } else {
        change(record);
    }
    return WriteReport(device, record, index);
}
