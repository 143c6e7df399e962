#include "platform/hostaudiovolume.h"

#include "platform/hostaudiosession.h"

#include <QDebug>

#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 101;

// 1 = output scope (sinks), 0 = input scope (sources).
constexpr int kScope[kHostAudioNodeCount] = {0, 1, 0, 1, 0, 1, 0, 1};

// Known points of each node's level curve (row, dB); rows in between are interpolated
// and rounded to 0.25 dB, so the column rises with the row. Nodes without points have
// no table.
struct CurvePoint {
    int row;
    float dB;
};
const std::vector<CurvePoint> kCurves[kHostAudioNodeCount] = {
    {{0, -12.0f}, {1, -6.0f}, {2, -3.75f}, {50, 28.5f}, {99, 45.0f}, {100, 45.0f}},   // microphone
    {{0, -57.0f}, {1, -51.0f}, {2, -48.0f}, {50, -12.0f}, {99, 6.0f}, {100, 6.0f}},   // headphone
    {{0, -80.0f}, {1, -70.25f}, {2, -66.5f}, {50, -13.25f}, {99, 14.5f}, {100, 15.0f}}, // line in
    {},
    {{0, -80.0f}, {1, -71.0f}, {2, -68.0f}, {50, -19.0f}, {99, 6.0f}, {100, 6.0f}},   // embedded input
    {},
    {},
    {},
};

using DecibelColumn = std::array<float, kRows>;

const DecibelColumn* DecibelTable(unsigned int node)
{
    static const auto tables = [] {
        std::array<DecibelColumn, kHostAudioNodeCount> out{};
        for (unsigned int n = 0; n < kHostAudioNodeCount; ++n) {
            const std::vector<CurvePoint>& points = kCurves[n];
            for (size_t p = 0; p + 1 < points.size(); ++p) {
                const CurvePoint a = points[p], b = points[p + 1];
                for (int r = a.row; r <= b.row; ++r) {
                    const double dB = a.dB + double(b.dB - a.dB) * (r - a.row) / (b.row - a.row);
                    out[n][r] = float(std::round(dB * 4.0) / 4.0);
                }
            }
        }
        return out;
    }();
    return node < kHostAudioNodeCount && !kCurves[node].empty() ? &tables[node] : nullptr;
}

// The device models' own endpoint descriptions: model name plus the node's suffix.
const char* const kModelNames[] = {
    "Lumivandrex Capture HDMI", "Lumivandrex Capture SDI", "Lumivandrex Capture Pro",
    "Lumivandrex Capture Duo",  "Lumivandrex Capture 4K",  "Lumivandrex Capture Mini",
    "Lumivandrex Capture Plus", "Lumivandrex Capture Ultra", "Partner Capture HD",
};
const char* const kModelSuffix[kHostAudioNodeCount] = {" Mic", "", " Line In", nullptr, "", nullptr, " Computer", nullptr};

// Descriptions made of the serial number itself, two per node.
const char* const kSerialSuffix[kHostAudioNodeCount][2] = {
    {" Mic", " Mic"}, {"", ""}, {" Line In", " Analog"}, {" Line Out", " Line Out"},
    {"", ""},         {"", ""}, {" Computer", " Computer"}, {"", ""},
};

bool IsModelEndpoint(const std::string& description, unsigned int node)
{
    if (!kModelSuffix[node])
        return false;
    for (const char* model : kModelNames) {
        if (description == std::string(model) + kModelSuffix[node])
            return true;
    }
    return false;
}

bool IsSerialEndpoint(const std::string& description, const std::string& serial, unsigned int node)
{
    return description == serial + kSerialSuffix[node][0] || description == serial + kSerialSuffix[node][1];
}

// The endpoint of `node` for the device with `serial`, searched among the objects of the
// node's scope only; the last match wins. Id = server index + 1 (0 = none).
uint32_t FindEndpoint(HostAudioSession& session, const char* serial, unsigned int node)
{
    // An empty serial is part of every name and would pick some other device.
    if (!serial || !*serial || node >= kHostAudioNodeCount || session.Status() != 0)
        return 0;
    const std::string wanted(serial);
    std::vector<HostAudioEndpoint> endpoints;
    if (!session.List(kScope[node] != 0, endpoints)) {
        qWarning("host audio: listing %s failed: %u", kScope[node] ? "sinks" : "sources", session.Status());
        return 0;
    }
    uint32_t id = 0;
    for (const HostAudioEndpoint& e : endpoints) {
        if (e.name.find(wanted) == std::string::npos)
            continue;
        if (IsModelEndpoint(e.description, node)) {
            id = e.index + 1;
        } else if (IsSerialEndpoint(e.description, wanted, node)) {
            id = e.index + 1;
            qDebug("host audio: deviceName: %s audioDevices: %u", e.description.c_str(), id);
        }
    }
    return id;
}

// Why nothing was set: the server's failure when the session ended, else no endpoint.
uint32_t NotSet(const HostAudioSession& session)
{
    return session.Status() != 0 ? session.Status() : kHostAudioNoEndpoint;
}

uint32_t SetEndpointVolume(HostAudioSession& session, uint32_t device, bool output, bool mute, float scalar)
{
    HostAudioEndpoint endpoint;
    if (device == 0 || !session.Get(output, device - 1, endpoint))
        return NotSet(session);
    if (!(scalar >= 0.0f))   // also NaN
        scalar = 0.0f;
    const pa_volume_t target = mute ? PA_VOLUME_MUTED : pa_volume_t(std::lround(std::fmin(scalar, 1.0f) * PA_VOLUME_NORM));
    pa_cvolume volume = endpoint.volume;
    pa_cvolume_scale(&volume, target);   // the loudest channel gets the target, the balance stays
    const uint32_t volumeStatus = session.SetVolume(output, endpoint.index, volume);
    const uint32_t muteStatus = session.SetMute(output, endpoint.index, mute);   // not sent after a time-out
    return volumeStatus != 0 ? volumeStatus : muteStatus;
}

uint32_t SetNodeVolume(HostAudioSession& session, const char* serial, unsigned int node, int mute, float scalar)
{
    const uint32_t device = FindEndpoint(session, serial, node);
    if (device == 0)
        return NotSet(session);
    return SetEndpointVolume(session, device, kScope[node] != 0, mute != 0, scalar);
}

} // namespace

bool HostAudioScalarForDecibel(unsigned int node, float dB, float* scalar)
{
    const DecibelColumn* column = DecibelTable(node);
    if (!column)
        return false;
    int row = kRows - 1;
    for (int r = 0; r < kRows; ++r) {
        if ((*column)[r] >= dB) {
            row = r;
            break;
        }
    }
    if (scalar)
        *scalar = float(row) / float(kRows - 1);
    return true;
}

HostAudioChange::HostAudioChange() = default;
HostAudioChange::~HostAudioChange() = default;

uint32_t HostAudioChange::SetDecibel(const char* serial, unsigned int node, int mute, float dB)
{
    float scalar = 0.0f;
    // A node without a table has no known curve: guessing would silence the endpoint.
    if (!HostAudioScalarForDecibel(node, dB, &scalar))
        return kHostAudioNoEndpoint;
    if (!m_session)
        m_session = std::make_unique<HostAudioSession>();
    return SetNodeVolume(*m_session, serial, node, mute, scalar);
}

uint32_t SetKVCaptureSoundVolumeDecibel(const char* serial, unsigned int node, int mute, float dB)
{
    return HostAudioChange().SetDecibel(serial, node, mute, dB);
}

uint32_t SetKVCaptureSoundVolume(const char* serial, unsigned int node, int mute, float scalar)
{
    HostAudioSession session;
    return SetNodeVolume(session, serial, node, mute, scalar);
}

uint32_t GetKVCaptureSoundVolume(const char* serial, unsigned int node, float* scalar, bool* mute)
{
    HostAudioSession session;
    const uint32_t device = FindEndpoint(session, serial, node);
    HostAudioEndpoint endpoint;
    if (device == 0 || !session.Get(kScope[node] != 0, device - 1, endpoint))
        return NotSet(session);
    if (scalar)
        *scalar = float(pa_cvolume_max(&endpoint.volume)) / float(PA_VOLUME_NORM);
    if (mute)
        *mute = endpoint.mute;
    return 0;
}

uint32_t FindAudioDeviceByName(const char* serial, unsigned int node)
{
    HostAudioSession session;
    return FindEndpoint(session, serial, node);
}

uint32_t SetAudioObjectVolume(uint32_t device, int outputScope, bool mute, float scalar)
{
    HostAudioSession session;
    return SetEndpointVolume(session, device, outputScope != 0, mute, scalar);
}
