#include "formateditors/formatlists.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

namespace {

bool SizeAfter(const _KVSIZE& a, const _KVSIZE& b)
{
    return a.cx > b.cx || (a.cx == b.cx && a.cy > b.cy);
}

template <typename Slot>
int IndexOf(const Slot* slots, int count, const Slot& value)
{
    for (int i = 0; i < count; ++i) {
        if (slots[i] == value)
            return i;
    }
    return -1;
}

// The slots of a packed record, copied to an aligned array to work on (a pointer to a
// packed u32 member may be misaligned).
template <typename List, typename Slot, int N>
struct Slots {
    Slots(const List& list, size_t offset) : m_offset(offset)
    {
        std::memcpy(v, reinterpret_cast<const char*>(&list) + offset, sizeof v);
    }
    void Store(List& list) const { std::memcpy(reinterpret_cast<char*>(&list) + m_offset, v, sizeof v); }
    Slot v[N];
    size_t m_offset;
};

template <typename List, typename Slot, int N>
bool Toggle(List& list, size_t offset, const Slot& value, bool on)
{
    Slots<List, Slot, N> slots(list, offset);
    int count = formatlists::Count(list);
    const int oldDefault = formatlists::DefaultIndex(list);
    Slot defaultValue = oldDefault >= 0 ? slots.v[oldDefault] : Slot{};
    const int found = IndexOf(slots.v, count, value);
    if (on) {
        if (count >= N || found >= 0)
            return false;
        slots.v[count++] = value;
    } else if (count == 0 || (found >= 0 && count == 1)) {
        return false;
    } else if (found >= 0) {
        if (found == oldDefault)
            defaultValue = slots.v[found == count - 1 ? found - 1 : found + 1];
        std::copy(slots.v + found + 1, slots.v + count, slots.v + found);
        --count;   // the freed slot keeps the former last value, as the device wrote it
    }
    BubbleSort2(slots.v, count);
    slots.Store(list);
    list.count = uint8_t(count);
    if (oldDefault >= 0)
        list.defaultIndex = uint8_t(IndexOf(slots.v, count, defaultValue));
    else if (on && count == 1)
        list.defaultIndex = 0;   // the first entry of an empty list is its default
    else if (list.defaultIndex < count)
        list.defaultIndex = uint8_t(count);   // still no default
    return true;
}

template <typename List, typename Slot, int N>
bool SetDefault(List& list, size_t offset, const Slot& value)
{
    const Slots<List, Slot, N> slots(list, offset);
    const int index = IndexOf(slots.v, formatlists::Count(list), value);
    if (index < 0 || index == int(list.defaultIndex))
        return false;
    list.defaultIndex = uint8_t(index);
    return true;
}

using ColorSlots = Slots<_KVCAP_COLOR_FORMAT_LIST, uint32_t, KVCAP_COLOR_FORMAT_MAX>;
constexpr size_t kIntervalOffset = offsetof(_KVCAP_FRAME_INTERVAL_LIST, durations);
constexpr size_t kSizeOffset = offsetof(_KVCAP_FRAME_SIZE_LIST, sizes);
constexpr size_t kColorOffset = offsetof(_KVCAP_COLOR_FORMAT_LIST, fourcc);

} // namespace

void BubbleSort2(unsigned int* values, int n)
{
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n - 1 - i; ++j) {
            if (values[j] > values[j + 1])
                std::swap(values[j], values[j + 1]);
        }
    }
}

void BubbleSort2(_KVSIZE* sizes, int n)
{
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n - 1 - i; ++j) {
            if (SizeAfter(sizes[j], sizes[j + 1]))
                std::swap(sizes[j], sizes[j + 1]);
        }
    }
}

namespace formatlists {

bool ToggleEntry(_KVCAP_FRAME_INTERVAL_LIST& list, uint32_t duration, bool on)
{
    return Toggle<_KVCAP_FRAME_INTERVAL_LIST, unsigned int, KVCAP_FRAME_INTERVAL_MAX>(list, kIntervalOffset, duration, on);
}

bool ToggleEntry(_KVCAP_FRAME_SIZE_LIST& list, _KVSIZE size, bool on)
{
    return Toggle<_KVCAP_FRAME_SIZE_LIST, _KVSIZE, KVCAP_FRAME_SIZE_MAX>(list, kSizeOffset, size, on);
}

bool SetDefaultValue(_KVCAP_FRAME_INTERVAL_LIST& list, uint32_t duration)
{
    return SetDefault<_KVCAP_FRAME_INTERVAL_LIST, unsigned int, KVCAP_FRAME_INTERVAL_MAX>(list, kIntervalOffset, duration);
}

bool SetDefaultValue(_KVCAP_FRAME_SIZE_LIST& list, _KVSIZE size)
{
    return SetDefault<_KVCAP_FRAME_SIZE_LIST, _KVSIZE, KVCAP_FRAME_SIZE_MAX>(list, kSizeOffset, size);
}

bool ToggleColorFormat(_KVCAP_COLOR_FORMAT_LIST& list, uint32_t code, bool on)
{
    ColorSlots slots(list, kColorOffset);
    int count = Count(list);
    if (on) {
        if (count >= KVCAP_COLOR_FORMAT_MAX)
            return false;
        slots.v[count++] = code;
    } else {
        const int found = IndexOf(slots.v, count, code);
        if (found >= 0) {
            std::copy(slots.v + found + 1, slots.v + count, slots.v + found);
            --count;
        }
    }
    slots.Store(list);
    list.count = uint8_t(count);
    return true;
}

bool MoveColorFormat(_KVCAP_COLOR_FORMAT_LIST& list, uint32_t code, bool up, bool (*shown)(uint32_t, int), int offered)
{
    ColorSlots slots(list, kColorOffset);
    const int count = Count(list);
    const auto isRow = [&](int k) {
        return shown(slots.v[k], offered) && std::find(slots.v + k + 1, slots.v + count, slots.v[k]) == slots.v + count;
    };
    int found = count - 1;
    while (found >= 0 && slots.v[found] != code)
        --found;
    if (found >= 0) {
        const int step = up ? -1 : 1;
        for (int j = found + step; j >= 0 && j < count; j += step) {
            if (isRow(j)) {
                std::swap(slots.v[found], slots.v[j]);
                break;
            }
        }
    }
    slots.Store(list);
    return true;
}

} // namespace formatlists
