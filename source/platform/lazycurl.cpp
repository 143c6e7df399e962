// libcurl, opened on first use (see lazylibrary.h): the functions the update
// library calls, forwarded; the two variadic ones go through lazycurl.h. Only its
// worker thread starts libcurl, so the program's start never waits for the library
// and its dependencies.

#include "platform/lazycurl.h"
#include "platform/lazylibrary.h"

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

void* lazycurl::Symbol(const char* name)
{
    return g_curl.Symbol(name);
}
