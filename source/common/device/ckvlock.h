#ifndef CKVLOCK_H
#define CKVLOCK_H

#include <QMutex>

// A recursive mutex behind a small class. The presenter hands one out through
// LumivandrexPresenter::GetLock(); each device object keeps one to serialise its
// transfers. Callers lock the mutex directly (or use QMutexLocker on &m_mutex);
// the helpers below exist only so the class also works with std::lock_guard.
//
// Lock order, program-wide: presenter lock first, device lock second.
class CKVLock
{
public:
    CKVLock() = default;
    virtual ~CKVLock();

    CKVLock(const CKVLock &) = delete;
    CKVLock &operator=(const CKVLock &) = delete;

    void lock() { m_mutex.lock(); }
    void unlock() { m_mutex.unlock(); }
    bool try_lock() { return m_mutex.tryLock(); }
    bool tryLock(int timeoutMs = 0) { return m_mutex.tryLock(timeoutMs); }

    // Recursive: a refresh may call itself again, and a slot may call an
    // operation that takes the same lock, on the thread that already holds it.
    QMutex m_mutex{QMutex::Recursive};
};

#endif // CKVLOCK_H
