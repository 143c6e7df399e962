#include "platform/hostaudiosession.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <pulse/operation.h>

namespace {

using Clock = std::chrono::steady_clock;

HostAudioEndpoint MakeEndpoint(bool sink, uint32_t index, const char* name, const char* description,
                               const pa_cvolume& volume, int mute)
{
    HostAudioEndpoint e;
    e.sink = sink;
    e.index = index;
    e.name = name ? name : "";
    e.description = description ? description : "";
    e.volume = volume;
    e.mute = mute != 0;
    return e;
}

} // namespace

HostAudioSession::HostAudioSession()
    : m_deadline(Clock::now() + std::chrono::milliseconds(kBudgetMs))
{
    m_loop = pa_mainloop_new();
    if (!m_loop) {
        m_status = PA_ERR_INTERNAL;
        return;
    }
    m_context = pa_context_new(pa_mainloop_get_api(m_loop), "Lumivandrex Utility");
    // Never start a server: without one the host simply has no endpoint to follow.
    if (!m_context || pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        m_status = m_context ? uint32_t(pa_context_errno(m_context)) : uint32_t(PA_ERR_INTERNAL);
        if (m_status == 0)
            m_status = PA_ERR_CONNECTIONREFUSED;
        return;
    }
    RunUntil([this] {
        const pa_context_state_t state = pa_context_get_state(m_context);
        return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
    });
    if (m_status == 0 && pa_context_get_state(m_context) != PA_CONTEXT_READY)
        m_status = Failure();
}

HostAudioSession::~HostAudioSession()
{
    if (m_context) {
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
    }
    if (m_loop)
        pa_mainloop_free(m_loop);
}

uint32_t HostAudioSession::Failure()
{
    if (m_timedOut)
        return PA_ERR_TIMEOUT;
    const int error = m_context ? pa_context_errno(m_context) : PA_ERR_INTERNAL;
    return error ? uint32_t(error) : uint32_t(PA_ERR_CONNECTIONREFUSED);
}

bool HostAudioSession::RunUntil(const std::function<bool()>& done)
{
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(m_deadline - Clock::now());
        m_timedOut = left.count() <= 0;
        if (m_timedOut || pa_mainloop_prepare(m_loop, int(left.count())) < 0 || pa_mainloop_poll(m_loop) < 0
            || pa_mainloop_dispatch(m_loop) < 0) {
            m_status = Failure();
            return false;
        }
    }
    return true;
}

bool HostAudioSession::Wait(pa_operation* op)
{
    if (!op)
        return false;
    RunUntil([this, op] {
        return pa_operation_get_state(op) != PA_OPERATION_RUNNING
            || !PA_CONTEXT_IS_GOOD(pa_context_get_state(m_context));
    });
    if (m_status == 0 && pa_context_get_state(m_context) != PA_CONTEXT_READY)
        m_status = Failure();   // the connection is gone
    const bool done = pa_operation_get_state(op) == PA_OPERATION_DONE;
    if (!done)
        pa_operation_cancel(op);
    pa_operation_unref(op);
    return done;
}

void HostAudioSession::OnInfo(HostAudioSession* self, bool sink, const void* info, int eol)
{
    if (eol != 0 || !info || !self->m_collect)
        return;
    if (sink) {
        const pa_sink_info* i = static_cast<const pa_sink_info*>(info);
        self->m_collect->push_back(MakeEndpoint(true, i->index, i->name, i->description, i->volume, i->mute));
        return;
    }
    const pa_source_info* i = static_cast<const pa_source_info*>(info);
    if (i->monitor_of_sink != PA_INVALID_INDEX)   // a sink's echo, not an input of its own
        return;
    self->m_collect->push_back(MakeEndpoint(false, i->index, i->name, i->description, i->volume, i->mute));
}

void HostAudioSession::OnSuccess(pa_context*, int success, void* self)
{
    static_cast<HostAudioSession*>(self)->m_success = success;
}

bool HostAudioSession::List(bool sinks, std::vector<HostAudioEndpoint>& out)
{
    out.clear();
    if (m_status != 0)
        return false;
    m_collect = &out;
    pa_operation* op = sinks
        ? pa_context_get_sink_info_list(
              m_context, [](pa_context*, const pa_sink_info* i, int eol, void* u) {
                  OnInfo(static_cast<HostAudioSession*>(u), true, i, eol);
              }, this)
        : pa_context_get_source_info_list(
              m_context, [](pa_context*, const pa_source_info* i, int eol, void* u) {
                  OnInfo(static_cast<HostAudioSession*>(u), false, i, eol);
              }, this);
    const bool ok = Wait(op);
    m_collect = nullptr;
    return ok;
}

bool HostAudioSession::Get(bool sink, uint32_t index, HostAudioEndpoint& out)
{
    std::vector<HostAudioEndpoint> found;
    if (m_status != 0)
        return false;
    m_collect = &found;
    pa_operation* op = sink
        ? pa_context_get_sink_info_by_index(
              m_context, index, [](pa_context*, const pa_sink_info* i, int eol, void* u) {
                  OnInfo(static_cast<HostAudioSession*>(u), true, i, eol);
              }, this)
        : pa_context_get_source_info_by_index(
              m_context, index, [](pa_context*, const pa_source_info* i, int eol, void* u) {
                  OnInfo(static_cast<HostAudioSession*>(u), false, i, eol);
              }, this);
    const bool ok = Wait(op);
    m_collect = nullptr;
    if (!ok || found.size() != 1)
        return false;
    out = found.front();
    return true;
}

uint32_t HostAudioSession::Finish(pa_operation* op)
{
    m_success = 0;
    if (!Wait(op))
        return Failure();
    return m_success ? 0u : Failure();
}

uint32_t HostAudioSession::SetVolume(bool sink, uint32_t index, const pa_cvolume& volume)
{
    if (m_status != 0)
        return m_status;
    return Finish(sink ? pa_context_set_sink_volume_by_index(m_context, index, &volume, OnSuccess, this)
                       : pa_context_set_source_volume_by_index(m_context, index, &volume, OnSuccess, this));
}

uint32_t HostAudioSession::SetMute(bool sink, uint32_t index, bool mute)
{
    if (m_status != 0)
        return m_status;
    return Finish(sink ? pa_context_set_sink_mute_by_index(m_context, index, mute ? 1 : 0, OnSuccess, this)
                       : pa_context_set_source_mute_by_index(m_context, index, mute ? 1 : 0, OnSuccess, this));
}
