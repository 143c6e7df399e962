#pragma once
// The flashing thread: reads and checks a firmware file (.kvf) in Init, on the
// GUI thread and before anything reaches the device, then runs the presenter's
// Upgrade on a thread of its own.
//
// Status (GetStatus), the first argument of CUpdateManager::statusChangedUpgrade:
//   0  idle or about to flash
//   1  the file is older than the running firmware; nothing was flashed   (final)
//   2  erasing
//   3  erasing failed after three attempts; the header area is erased     (final)
//   4  writing
//   5  writing failed: a section after three attempts, or the firmware header,
//      which is written only after every section verified; the header area
//      is erased again, so the device must be flashed anew                (final)
//   6  verifying
//   7  success                                                            (final)
//   8  verifying failed; the header area is erased again                  (final)
// Codes 2 to 8 are the flasher's (KvUpgradeStatus in device/cfirmwareflasher.h).
// Progress is 0..100 of the current phase. A final status is written last, and
// the manager passes it on only once the thread has finished.
//
// Deleting the object waits until a running flashing has ended: the flashing
// holds the presenter lock and must never be cut short.

#include <QByteArray>
#include <QThread>

#include "device/cfirmwareflasher.h"
#include "device/ckvlock.h"
#include "device/kvfirmwareheader.h"
#include "device/lumivandrexpresenter.h"
#include "update/firmwarefilecheck.h"

enum : int { KV_UPGRADE_IDLE = 0, KV_UPGRADE_OLDER_FIRMWARE = 1 };

bool IsFinalUpgradeStatus(int status);

class CUpgradeFirmware : public QThread
{
    Q_OBJECT
public:
    CUpgradeFirmware();
    ~CUpgradeFirmware() override;

    // Checks the device's flash, reads and checks the file; on success keeps a
    // copy of the device record. Call once, before start().
    bool Init(tagDEVICE_INSTANCE device, const QByteArray& path);
    KvfRefusal GetRefusal() const { return m_refusal; }

    // Reads the header (storage zeroed by the caller) and one buffer per section.
    // Nothing is allocated before the header passed its own checks.
    bool readKVF(const QByteArray& path, _KV_FIRMWARE_HEADER* header, unsigned char** sections);

    // Both values together, under the object's lock.
    void GetStatus(int& status, int& progress);

protected:
    void run() override;

private:
    void freeSections();

    _KV_FIRMWARE_HEADER m_header;
    unsigned char* m_sections[KV_FIRMWARE_MAX_SECTIONS] = {};
    tagDEVICE_INSTANCE m_device;
    CKVLock m_lock;
    int m_status = 0;       // written by the flashing thread, read whole
    int m_progress = 0;
    bool m_result = false;
    KvfRefusal m_refusal = KVF_ACCEPTED;
};
