// libpulse, opened on first use (see lazylibrary.h): the functions the host volume
// session calls, forwarded. The first session starts when the program first sets
// the host's volume, long after the window is on screen.

#include "platform/lazylibrary.h"

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <pulse/operation.h>
#include <pulse/volume.h>

namespace {
LazyLibrary g_pulse("libpulse.so.0");   // the soname of libpulse's ABI
} // namespace

LV_LAZY_FUNCTION(g_pulse, pa_mainloop*, pa_mainloop_new, (void), (), nullptr)
LV_LAZY_FUNCTION(g_pulse, void, pa_mainloop_free, (pa_mainloop * m), (m), void())
LV_LAZY_FUNCTION(g_pulse, pa_mainloop_api*, pa_mainloop_get_api, (pa_mainloop * m), (m), nullptr)
LV_LAZY_FUNCTION(g_pulse, int, pa_mainloop_prepare, (pa_mainloop * m, int timeout), (m, timeout), -1)
LV_LAZY_FUNCTION(g_pulse, int, pa_mainloop_poll, (pa_mainloop * m), (m), -1)
LV_LAZY_FUNCTION(g_pulse, int, pa_mainloop_dispatch, (pa_mainloop * m), (m), -1)
LV_LAZY_FUNCTION(g_pulse, pa_context*, pa_context_new, (pa_mainloop_api * api, const char* name), (api, name),
                 nullptr)
LV_LAZY_FUNCTION(g_pulse, int, pa_context_connect,
                 (pa_context * c, const char* server, pa_context_flags_t flags, const pa_spawn_api* api),
                 (c, server, flags, api), -1)
LV_LAZY_FUNCTION(g_pulse, void, pa_context_disconnect, (pa_context * c), (c), void())
LV_LAZY_FUNCTION(g_pulse, void, pa_context_unref, (pa_context * c), (c), void())
LV_LAZY_FUNCTION(g_pulse, pa_context_state_t, pa_context_get_state, (const pa_context* c), (c), PA_CONTEXT_FAILED)
LV_LAZY_FUNCTION(g_pulse, int, pa_context_errno, (const pa_context* c), (c), PA_ERR_INTERNAL)
LV_LAZY_FUNCTION(g_pulse, pa_operation*, pa_context_get_sink_info_list,
                 (pa_context * c, pa_sink_info_cb_t cb, void* data), (c, cb, data), nullptr)
LV_LAZY_FUNCTION(g_pulse, pa_operation*, pa_context_get_source_info_list,
                 (pa_context * c, pa_source_info_cb_t cb, void* data), (c, cb, data), nullptr)
LV_LAZY_FUNCTION(g_pulse, pa_operation*, pa_context_get_sink_info_by_index,
                 (pa_context * c, uint32_t index, pa_sink_info_cb_t cb, void* data), (c, index, cb, data), nullptr)
LV_LAZY_FUNCTION(g_pulse, pa_operation*, pa_context_get_source_info_by_index,
                 (pa_context * c, uint32_t index, pa_source_info_cb_t cb, void* data), (c, index, cb, data),
                 nullptr)
LV_LAZY_FUNCTION(g_pulse, pa_operation*, pa_context_set_sink_volume_by_index,
                 (pa_context * c, uint32_t index, const pa_cvolume* volume, pa_context_success_cb_t cb, void* data),
                 (c, index, volume, cb, data), nullptr)
LV_LAZY_FUNCTION(g_pulse, pa_operation*, pa_context_set_source_volume_by_index,
                 (pa_context * c, uint32_t index, const pa_cvolume* volume, pa_context_success_cb_t cb, void* data),
                 (c, index, volume, cb, data), nullptr)
LV_LAZY_FUNCTION(g_pulse, pa_operation*, pa_context_set_sink_mute_by_index,
                 (pa_context * c, uint32_t index, int mute, pa_context_success_cb_t cb, void* data),
                 (c, index, mute, cb, data), nullptr)
LV_LAZY_FUNCTION(g_pulse, pa_operation*, pa_context_set_source_mute_by_index,
                 (pa_context * c, uint32_t index, int mute, pa_context_success_cb_t cb, void* data),
                 (c, index, mute, cb, data), nullptr)
LV_LAZY_FUNCTION(g_pulse, pa_operation_state_t, pa_operation_get_state, (const pa_operation* o), (o),
                 PA_OPERATION_CANCELLED)
LV_LAZY_FUNCTION(g_pulse, void, pa_operation_cancel, (pa_operation * o), (o), void())
LV_LAZY_FUNCTION(g_pulse, void, pa_operation_unref, (pa_operation * o), (o), void())
LV_LAZY_FUNCTION(g_pulse, pa_volume_t, pa_cvolume_max, (const pa_cvolume* a), (a), PA_VOLUME_MUTED)
LV_LAZY_FUNCTION(g_pulse, pa_cvolume*, pa_cvolume_scale, (pa_cvolume * v, pa_volume_t max), (v, max), nullptr)
