#include "settingspages/audiovolume.h"

#include <cstring>

#include "device/reportaccess.h"
#include "platform/hostaudiovolume.h"

namespace {

// Rows: other models, model 516, model 521.
const double g_arrDefaultVolume[3][KVCAP_AUDIO_NODE_COUNT] = {
    {0, 0, 0, 0, 0, 0, 0, 0},
    {3750, -2000, 0, 0, 0, -1000, 0, -1000},
    {3750, -2000, 0, 0, 0, -1000, 0, -1000},
};

// Copies the serial number into the device object's cache: at most what fits with its
// NUL, and never past the report's field when the device sent no NUL.
void CacheSerialNumber(LumivandrexDevice* device, const _KVCAP_DEVICE_INFO& info)
{
    char* cache = device->m_cachedDeviceName;
    constexpr size_t kMax = sizeof device->m_cachedDeviceName - 1;
    size_t length = 0;
    while (length < kMax && length < sizeof info.serialNumber && info.serialNumber[length] != '\0')
        ++length;
    std::memcpy(cache, info.serialNumber, length);
    cache[length] = '\0';
}

} // namespace

bool SetAudioVolume(LumivandrexDevice* device, _KVCAP_USB_AUDIO_NODE node, const _KVCAP_AUDIO_VOLUME& block,
                    HostAudioChange* host)
{
    if (!device || node >= KVCAP_AUDIO_NODE_COUNT)
        return false;
    device->m_cachedFirmwareVersion = 0;
    _KVCAP_DEVICE_INFO info;
    // The serial names the host endpoint: one cut short could name another device's.
    if (ReadWholeReport(device, info)) {
        device->m_cachedFirmwareVersion = info.firmwareVersion;
        CacheSerialNumber(device, info);
    }
    if (int32_t(device->m_cachedFirmwareVersion) > kHostVolumeLastOldFirmware
        && device->m_cachedDeviceName[0] != '\0' && block.channels != 0) {
        // The host endpoint has one level: it ends with the last channel's. All channels
        // share one budget (the presenter lock is held); a call that fails would fail
        // again for the next channel: stop there.
        HostAudioChange own;
        HostAudioChange& change = host ? *host : own;
        for (int i = 0; i < AudioChannelCount(block); ++i) {
            const float dB = float(block.volume[i] / 100.0);
            if (change.SetDecibel(device->m_cachedDeviceName, node, block.mute[i], dB) != 0)
                break;
        }
    }
    return WriteReport(device, block, int(node));
}

int AudioVolumeAverage(_KVCAP_USB_AUDIO_NODE node, const _KVCAP_AUDIO_VOLUME& block, bool* muted)
{
    const int count = AudioChannelCount(block);
    bool anyMuted = false;
    int32_t sum = 0;
    for (int i = 0; i < count; ++i) {
        anyMuted = anyMuted || block.mute[i] == 1;
        sum += block.volume[i];
        if (node == KVCAP_AUDIO_NODE_LINE_IN && sum == 2900)
            sum = 3000;
    }
    if (muted)
        *muted = anyMuted;
    return count ? int(sum / count) : 0;
}

double DefaultAudioVolume(uint16_t modelCode, _KVCAP_USB_AUDIO_NODE node)
{
    const int row = modelCode == 516 ? 1 : modelCode == 521 ? 2 : 0;
    return node < KVCAP_AUDIO_NODE_COUNT ? g_arrDefaultVolume[row][node] : 0.0;
}
