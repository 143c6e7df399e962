#pragma once
// libcurl's two variadic calls, typed. libcurl declares them f(CURL*, <enum>, ...):
// a definition of that form in the program could read its argument only through
// va_start on an enumeration parameter, which C++ leaves undefined (the enumeration
// is promoted when passed). So the program defines neither: its calls come here and
// hand libcurl's own function the argument with its real type.

#include <curl/curl.h>

#include <type_traits>

namespace lazycurl {

// libcurl's `name`, opened on first use (see lazylibrary.h); null without libcurl.
void* Symbol(const char* name);

// `value` as the option's range wants it: a long, a curl_off_t, or a pointer (data or callback).
template <typename T>
CURLcode SetOption(CURL* easy, CURLoption option, T value)
{
    static_assert(std::is_same<T, long>::value || std::is_same<T, curl_off_t>::value || std::is_pointer<T>::value,
                  "libcurl options take a long, a curl_off_t or a pointer");
    static const auto real = reinterpret_cast<decltype(&curl_easy_setopt)>(Symbol("curl_easy_setopt"));
    return real ? real(easy, option, value) : CURLE_FAILED_INIT;
}

template <typename T>
CURLcode GetInfo(CURL* easy, CURLINFO info, T* value)
{
    static const auto real = reinterpret_cast<decltype(&curl_easy_getinfo)>(Symbol("curl_easy_getinfo"));
    return real ? real(easy, info, value) : CURLE_FAILED_INIT;
}

} // namespace lazycurl
