// ThreadSanitizer builds only (empty otherwise). Qt's libraries are not instrumented,
// so the hand-over of a QMutex (the presenter lock) happens out of TSan's sight and
// every access it protects would be reported as a race. These definitions interpose
// QMutex's out-of-line lock/tryLock/unlock for the program and every test suite: each
// forwards to Qt's own and tells TSan about the acquire and release, so reports that
// remain are about real missing locking. (Linked from lv_device into the program; the
// suites link it directly, see tests/CMakeLists.txt, as not all of them use lv_device.)
#if defined(__SANITIZE_THREAD__)

#include <QMutex>

#include <dlfcn.h>
#include <sanitizer/tsan_interface.h>

#include <cstdio>
#include <cstdlib>

namespace {

template <typename Fn>
Fn qtSymbol(const char *name)
{
    void *symbol = dlsym(RTLD_NEXT, name);
    if (!symbol) {
        fprintf(stderr, "tsan support: %s not found\n", name);
        abort();
    }
    return reinterpret_cast<Fn>(symbol);
}

} // namespace

void QMutex::lock() QT_MUTEX_LOCK_NOEXCEPT
{
    static const auto real = qtSymbol<void (*)(QMutex *)>("_ZN6QMutex4lockEv");
    real(this);
    __tsan_acquire(this);
}

bool QMutex::tryLock(int timeout) QT_MUTEX_LOCK_NOEXCEPT
{
    static const auto real = qtSymbol<bool (*)(QMutex *, int)>("_ZN6QMutex7tryLockEi");
    const bool locked = real(this, timeout);
    if (locked)
        __tsan_acquire(this);
    return locked;
}

void QMutex::unlock() noexcept
{
    static const auto real = qtSymbol<void (*)(QMutex *)>("_ZN6QMutex6unlockEv");
    __tsan_release(this);
    real(this);
}

#endif // __SANITIZE_THREAD__
