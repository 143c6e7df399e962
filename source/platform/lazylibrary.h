#pragma once
// A shared library opened on first use instead of when the program starts. The
// libraries only some features need (libcurl for the update service, libpulse for
// the host's own volume) would otherwise be loaded and relocated, with their tens
// of dependencies, before the first window could be drawn. Their functions are
// defined in the program with the libraries' own declarations and forward to the
// library; when it cannot be opened, every call returns its failure value.

#include <mutex>

class LazyLibrary
{
public:
    explicit LazyLibrary(const char* soname) : m_soname(soname) {}

    // The address of `name` in the library, opened by the first call; null when
    // the library or the symbol is missing. Any thread.
    void* Symbol(const char* name);

private:
    const char* const m_soname;
    std::once_flag m_opened;
    void* m_handle = nullptr;   // written once, under m_opened
};

// Defines the library function `name` (declared by the library's header) to call
// the library's own.
#define LV_LAZY_FUNCTION(library, ret, name, params, args, failure)                           \
    extern "C" ret name params                                                                \
    {                                                                                         \
        static const auto real = reinterpret_cast<decltype(&name)>((library).Symbol(#name)); \
        return real ? real args : failure;                                                    \
    }
