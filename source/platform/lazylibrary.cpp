#include "platform/lazylibrary.h"

#include "logging/lvlogger.h"

#include <dlfcn.h>

void* LazyLibrary::Symbol(const char* name)
{
    std::call_once(m_opened, [this] {
        // Local: the library's own calls never reach the forwarders defined here.
        m_handle = dlopen(m_soname, RTLD_NOW | RTLD_LOCAL);
        if (!m_handle)
            LV_LOG_ERROR("cannot open " << m_soname << ": " << dlerror());
    });
    return m_handle ? dlsym(m_handle, name) : nullptr;
}
