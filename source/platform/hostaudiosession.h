#pragma once
// One short conversation with the host's sound server (PulseAudio, or PipeWire through
// pipewire-pulse): connect, list or read sinks and sources, set a volume or a mute.
//
// Every step runs on the calling thread, all of them within one deadline that starts with
// the connection, and the connection never starts a server, so a missing, hung or slow
// sound server costs the session at most kBudgetMs and never freezes the GUI. A time-out
// or a lost connection ends the session: nothing is sent after it. Used only by
// hostaudiovolume.cpp.

#include <pulse/volume.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct pa_context;
struct pa_mainloop;
struct pa_operation;

// A sink (output) or a non-monitor source (input) as the server describes it.
struct HostAudioEndpoint {
    bool sink = false;
    uint32_t index = 0;
    std::string name;           // unique node name; a USB device's carries its serial
    std::string description;    // the name shown to the user
    pa_cvolume volume{};
    bool mute = false;
};

class HostAudioSession
{
public:
    // Budget of the whole session: the connection and every request share it.
    static constexpr int kBudgetMs = 500;

    HostAudioSession();          // connects; see Status()
    ~HostAudioSession();
    HostAudioSession(const HostAudioSession&) = delete;
    HostAudioSession& operator=(const HostAudioSession&) = delete;

    // 0 while connected, else the server error code (PA_ERR_*) that ended the session;
    // every call after that fails at once.
    uint32_t Status() const { return m_status; }

    // Sinks, or sources without the monitors of sinks.
    bool List(bool sinks, std::vector<HostAudioEndpoint>& out);
    bool Get(bool sink, uint32_t index, HostAudioEndpoint& out);
    // 0 on success, else an error code.
    uint32_t SetVolume(bool sink, uint32_t index, const pa_cvolume& volume);
    uint32_t SetMute(bool sink, uint32_t index, bool mute);

private:
    static void OnInfo(HostAudioSession* self, bool sink, const void* info, int eol);
    static void OnSuccess(pa_context*, int success, void* self);
    // Runs the loop until `done` holds; on the deadline or a loop failure it ends the
    // session and returns false.
    bool RunUntil(const std::function<bool()>& done);
    bool Wait(pa_operation* op);
    uint32_t Failure();
    uint32_t Finish(pa_operation* op);

    pa_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    std::chrono::steady_clock::time_point m_deadline;
    uint32_t m_status = 0;
    bool m_timedOut = false;
    int m_success = 0;
    std::vector<HostAudioEndpoint>* m_collect = nullptr;
};
