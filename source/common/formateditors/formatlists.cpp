#include "formateditors/formatlists.h"

#include <algorithm>
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

template <typename List, typename Slot>
bool Toggle(List& list, Slot* slots, int capacity, const Slot& value, bool on)
{
    int count = formatlists::Count(list);
    const int oldDefault = formatlists::DefaultIndex(list);
    Slot defaultValue = oldDefault >= 0 ? slots[oldDefault] : Slot{};
    const int found = IndexOf(slots, count, value);
    if (on) {
        if (count >= capacity || found >= 0)
            return false;
        slots[count++] = value;
    } else if (count == 0 || (found >= 0 && count == 1)) {
        return false;
    } else if (found >= 0) {
        if (found == oldDefault)
            defaultValue = slots[found == count - 1 ? found - 1 : found + 1];
        std::copy(slots + found + 1, slots + count, slots + found);
        --count;   // the freed slot keeps the former last value, as the device wrote it
    }
    BubbleSort2(slots, count);
    list.count = uint8_t(count);
    if (oldDefault >= 0)
        list.defaultIndex = uint8_t(IndexOf(slots, count, defaultValue));
    else if (on && count == 1)
        list.defaultIndex = 0;   // the first entry of an empty list is its default
    else if (list.defaultIndex < count)
        list.defaultIndex = uint8_t(count);   // still no default
    return true;
}

template <typename List, typename Slot>
bool SetDefault(List& list, const Slot* slots, const Slot& value)
{
    const int index = IndexOf(slots, formatlists::Count(list), value);
    if (index < 0 || index == int(list.defaultIndex))
        return false;
    list.defaultIndex = uint8_t(index);
    return true;
}

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
    static_assert(sizeof(unsigned int) == sizeof(uint32_t), "durations sort as unsigned int");
    return Toggle(list, reinterpret_cast<unsigned int*>(list.durations), KVCAP_FRAME_INTERVAL_MAX,
                  static_cast<unsigned int>(duration), on);
}

bool ToggleEntry(_KVCAP_FRAME_SIZE_LIST& list, _KVSIZE size, bool on)
{
    return Toggle(list, list.sizes, KVCAP_FRAME_SIZE_MAX, size, on);
}

bool SetDefaultValue(_KVCAP_FRAME_INTERVAL_LIST& list, uint32_t duration)
{
    return SetDefault(list, list.durations, duration);
}

bool SetDefaultValue(_KVCAP_FRAME_SIZE_LIST& list, _KVSIZE size)
{
    return SetDefault(list, list.sizes, size);
}

bool ToggleColorFormat(_KVCAP_COLOR_FORMAT_LIST& list, uint32_t code, bool on)
{
    int count = Count(list);
    if (on) {
        if (count >= KVCAP_COLOR_FORMAT_MAX)
            return false;
        list.fourcc[count++] = code;
    } else {
        const int found = IndexOf(list.fourcc, count, code);
        if (found >= 0) {
            std::copy(list.fourcc + found + 1, list.fourcc + count, list.fourcc + found);
            --count;
        }
    }
    list.count = uint8_t(count);
    return true;
}

bool MoveColorFormat(_KVCAP_COLOR_FORMAT_LIST& list, uint32_t code, bool up, bool (*shown)(uint32_t, int), int offered)
{
    const int count = Count(list);
    const int found = IndexOf(list.fourcc, count, code);
    if (found >= 0) {
        const int step = up ? -1 : 1;
        for (int j = found + step; j >= 0 && j < count; j += step) {
            if (shown(list.fourcc[j], offered)) {
                std::swap(list.fourcc[found], list.fourcc[j]);
                break;
            }
        }
    }
    return true;
}

} // namespace formatlists
