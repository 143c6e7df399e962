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

// The two variadic calls take one more argument, whose type the option's range says.
extern "C" CURLcode curl_easy_setopt(CURL* easy, CURLoption option, ...)
{
    static const auto real = reinterpret_cast<decltype(&curl_easy_setopt)>(g_curl.Symbol("curl_easy_setopt"));
    if (!real)
        return CURLE_FAILED_INIT;
    va_list args;
    va_start(args, option);
    CURLcode result;
    if (option < CURLOPTTYPE_OBJECTPOINT)
        result = real(easy, option, va_arg(args, long));
    else if (option >= CURLOPTTYPE_OFF_T && option < CURLOPTTYPE_BLOB)
        result = real(easy, option, va_arg(args, curl_off_t));
    else
        result = real(easy, option, va_arg(args, void*));   // data and function pointers alike
    va_end(args);
    return result;
}

extern "C" CURLcode curl_easy_getinfo(CURL* easy, CURLINFO info, ...)
{
    static const auto real = reinterpret_cast<decltype(&curl_easy_getinfo)>(g_curl.Symbol("curl_easy_getinfo"));
    if (!real)
        return CURLE_FAILED_INIT;
    va_list args;
    va_start(args, info);
    const CURLcode result = real(easy, info, va_arg(args, void*));   // always where to put the answer
    va_end(args);
    return result;
}
