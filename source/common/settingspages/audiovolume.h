#pragma once
// The device's audio volume blocks: the one writer of reports 0xB0..0xB7 (which also
// keeps the host's own endpoint of the node in step), the level a block stands for, and
// the per-model default levels.

#include "device/kvcaprecords.h"

class HostAudioChange;
class LumivandrexDevice;

// Newest firmware whose volume changes the host does not follow.
constexpr int32_t kHostVolumeLastOldFirmware = 0x02061C0B;   // 2.6.7179

// Writes `block` as node `node`'s volume. First refreshes the device object's cached
// firmware version and serial number from report 0x01 (only from a whole answer); on
// firmware newer than kHostVolumeLastOldFirmware the host endpoint of the node follows
// every channel, within `host` when the write is part of a larger user change (else a
// change of its own). The result is the write's. The caller holds the presenter lock.
bool SetAudioVolume(LumivandrexDevice* device, _KVCAP_USB_AUDIO_NODE node, const _KVCAP_AUDIO_VOLUME& block,
                    HostAudioChange* host = nullptr);

// The slider level of a block (0.01 dB): the channels' average, and whether any channel
// is muted. A line in whose running sum reaches exactly 29.00 dB counts it as 30.00 dB,
// as the device reports its line-in trim. Zero for a block without channels.
int AudioVolumeAverage(_KVCAP_USB_AUDIO_NODE node, const _KVCAP_AUDIO_VOLUME& block, bool* muted);

// Default level (0.01 dB) of `node` for the model with `modelCode`.
double DefaultAudioVolume(uint16_t modelCode, _KVCAP_USB_AUDIO_NODE node);
