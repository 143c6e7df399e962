#pragma once
// The host computer's own audio endpoint of one audio node of a capture device, so that
// the system's volume and mute follow what the user sets on the device.
//
// The endpoint is the sound server's sink (playback nodes, odd) or source (record nodes,
// even; monitors of sinks are never taken) whose node name contains the device's serial
// number and whose description is one of the names the device's endpoints carry. A level
// in dB becomes the system slider position (0.0 .. 1.0) through a per-node table.
//
// Statuses: 0 success; kHostAudioNoEndpoint when nothing was set because no endpoint
// matched or the node has no table; otherwise the sound server's error code (PA_ERR_*,
// e.g. connection refused or time-out). Each call talks to the server afresh and gives
// up within half a second in all, so callers may hold locks around it; the calls of one
// user change go through one HostAudioChange, which gives them that half second together.

#include <cstdint>
#include <memory>

class HostAudioSession;

constexpr uint32_t kHostAudioNoEndpoint = 0xFFFFFFFFu;
constexpr unsigned int kHostAudioNodeCount = 8;

// Sets the endpoint of `node` to the position for `dB`, and its mute. Nodes without a
// table (line out, embedded output, computer capture and playback) are left alone.
uint32_t SetKVCaptureSoundVolumeDecibel(const char* serial, unsigned int node, int mute, float dB);
// The same with the position given directly (0.0 .. 1.0).
uint32_t SetKVCaptureSoundVolume(const char* serial, unsigned int node, int mute, float scalar);
// Reads the endpoint's position (its loudest channel) and mute back.
uint32_t GetKVCaptureSoundVolume(const char* serial, unsigned int node, float* scalar, bool* mute);

// Id of the endpoint of `node` (last match in the server's order), 0 when there is none.
uint32_t FindAudioDeviceByName(const char* serial, unsigned int node);
// Sets the position over all channels keeping their balance (0.0 when muting), then the
// mute. Returns the first failure, 0 when both were set.
uint32_t SetAudioObjectVolume(uint32_t device, int outputScope, bool mute, float scalar);

// The table's position for `dB`: the first row whose level is at least `dB`; a level
// above the top row gives the top row's position. False for a node without a table.
bool HostAudioScalarForDecibel(unsigned int node, float dB, float* scalar);

// The host calls of one user change (however many channels and nodes it sets) share one
// connection and one budget, so a slow or hung sound server costs the change at most half
// a second; once the server failed (not there, timed out, connection lost) every later
// call returns that failure without sending anything. Connects at the first call.
class HostAudioChange
{
public:
    HostAudioChange();
    ~HostAudioChange();
    HostAudioChange(const HostAudioChange&) = delete;
    HostAudioChange& operator=(const HostAudioChange&) = delete;

    // SetKVCaptureSoundVolumeDecibel within this change.
    uint32_t SetDecibel(const char* serial, unsigned int node, int mute, float dB);

private:
    std::unique_ptr<HostAudioSession> m_session;
};
