// libcurl, opened on first use (see lazylibrary.h): the functions the update
// library calls, forwarded. Only its worker thread starts libcurl, so the program's
// start never waits for the library and its dependencies.

#include "platform/lazylibrary.h"

#include <curl/curl.h>

#include <cstdarg>

namespace {
LazyLibrary g_curl("libcurl.so.4");   // the soname of libcurl's ABI
} // namespace

LV_LAZY_FUNCTION(g_curl, CURLcode, curl_global_init, (long flags), (flags), CURLE_FAILED_INIT)
LV_LAZY_FUNCTION(g_curl, CURL*, curl_easy_init, (void), (), nullptr)
LV_LAZY_FUNCTION(g_curl, void, curl_easy_cleanup, (CURL * easy), (easy), void())
LV_LAZY_FUNCTION(g_curl, CURLM*, curl_multi_init, (void), (), nullptr)
LV_LAZY_FUNCTION(g_curl, CURLMcode, curl_multi_cleanup, (CURLM * multi), (multi), CURLM_BAD_HANDLE)
LV_LAZY_FUNCTION(g_curl, CURLMcode, curl_multi_add_handle, (CURLM * multi, CURL* easy), (multi, easy),
                 CURLM_BAD_HANDLE)
LV_LAZY_FUNCTION(g_curl, CURLMcode, curl_multi_remove_handle, (CURLM * multi, CURL* easy), (multi, easy),
                 CURLM_BAD_HANDLE)
LV_LAZY_FUNCTION(g_curl, CURLMcode, curl_multi_perform, (CURLM * multi, int* running), (multi, running),
                 CURLM_BAD_HANDLE)
LV_LAZY_FUNCTION(g_curl, CURLMsg*, curl_multi_info_read, (CURLM * multi, int* queued), (multi, queued), nullptr)
LV_LAZY_FUNCTION(g_curl, CURLMcode, curl_multi_poll,
                 (CURLM * multi, struct curl_waitfd* fds, unsigned int count, int timeoutMs, int* ready),
                 (multi, fds, count, timeoutMs, ready), CURLM_BAD_HANDLE)
LV_LAZY_FUNCTION(g_curl, CURLMcode, curl_multi_wakeup, (CURLM * multi), (multi), CURLM_BAD_HANDLE)

// The two variadic calls take one more argument, passed on with the type the
// option's range gives it (informations always want a pointer).
namespace {
enum class More { Long, OffT, Pointer };

template <typename Real, typename Key>
CURLcode PassOn(const char* name, CURL* easy, Key key, More more, va_list args)
{
    const auto real = reinterpret_cast<Real>(g_curl.Symbol(name));
    if (!real)
        return CURLE_FAILED_INIT;
    switch (more) {
    case More::Long: return real(easy, key, va_arg(args, long));
    case More::OffT: return real(easy, key, va_arg(args, curl_off_t));
    case More::Pointer: break;
    }
    return real(easy, key, va_arg(args, void*));   // data and function pointers alike
}
} // namespace

extern "C" CURLcode curl_easy_setopt(CURL* easy, CURLoption option, ...)
{
    const More more = option < CURLOPTTYPE_OBJECTPOINT                                ? More::Long
                      : option >= CURLOPTTYPE_OFF_T && option < CURLOPTTYPE_BLOB ? More::OffT
                                                                                      : More::Pointer;
    va_list args;
    va_start(args, option);
    const CURLcode result = PassOn<decltype(&curl_easy_setopt)>("curl_easy_setopt", easy, option, more, args);
    va_end(args);
    return result;
}

extern "C" CURLcode curl_easy_getinfo(CURL* easy, CURLINFO info, ...)
{
    va_list args;
    va_start(args, info);
    const CURLcode result = PassOn<decltype(&curl_easy_getinfo)>("curl_easy_getinfo", easy, info, More::Pointer, args);
    va_end(args);
    return result;
}
