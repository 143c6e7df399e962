#ifndef CFIRMWAREFLASHER_H
#define CFIRMWAREFLASHER_H

#include <QtGlobal>

#include "device/kvcaprecords.h"
#include "device/kvfirmwareheader.h"

class LumivandrexDevice;

// Status codes of a flashing, as the update screens show them.
enum KvUpgradeStatus : int {
    KV_UPGRADE_ERASING = 2,
    KV_UPGRADE_ERASE_FAILED = 3,
    KV_UPGRADE_WRITING = 4,
    KV_UPGRADE_WRITE_FAILED = 5,
    KV_UPGRADE_VERIFYING = 6,
    KV_UPGRADE_SUCCESS = 7,
    KV_UPGRADE_VERIFY_FAILED = 8
};

// The flashing procedure behind LumivandrexPresenter::Upgrade: erase, program and
// verify one firmware image through the flash reports 0xF0..0xF4. The caller holds
// the presenter lock and has checked that the device is still attached.
//
// Order of work, chosen so that a valid header never describes bad data:
//   attempts (at most kUpgradeAttempts): erase header area and sections (CLR
//   sections must read back blank), program the sections;
//   then verify the sections, write the header (the page holding the magic last)
//   and verify it. A failed verify erases the header area again.
//
// Run() writes the intermediate statuses (2, 4, 6) and the percent; it returns the
// final status but does not store it: the presenter stores it last, after the
// flag and the lock are released, because a reader may free the image on seeing it.
class CFirmwareFlasher
{
public:
    struct Timing
    {
        int busyPollMs;     // sleep between reads of the busy report
        int busyTimeoutMs;  // longest wait for one erase or program operation
        int attempts;       // erase+write attempts before giving up
    };

    CFirmwareFlasher(LumivandrexDevice *device, const _KVCAP_FLASH_INFO &flash,
                     const _KV_FIRMWARE_HEADER *header, unsigned char *const *sectionData,
                     bool full, int *status, int *percent, const Timing &timing);

    int Run();

    static bool IsMatchedSection(bool full, const _KV_FIRMWARE_SECTION_HEADER *section);
    static bool IsCLRSection(const char *name);
    // Reads flash through reports 0xF2/0xF3, at most 64 bytes per read.
    static bool ReadFlash(LumivandrexDevice *device, quint32 address, unsigned char *out, int length);

private:
    bool ValidateImage();
    bool TakesPart(int index) const;
    bool IsClear(int index) const;

    bool EraseAndWrite(int &failureStatus);
    bool EraseHeaderArea();
    bool WriteHeader();

    bool Erase(quint32 address, quint32 length);
    bool EraseRange(quint32 address, quint32 length, bool countProgress);
    bool ProgramPage(quint32 address, const unsigned char *data, int length);
    bool ReadBlank(quint32 address, quint32 length);
    bool Verify(quint32 address, const unsigned char *expected, quint32 length, bool countProgress);
    bool WaitNotBusy();

    void SetStatus(int status);
    void AddProgress(quint64 bytes);
    void StartPhase(int status);

    LumivandrexDevice *m_device;
    _KVCAP_FLASH_INFO m_flash;
    const _KV_FIRMWARE_HEADER *m_header;
    const unsigned char *m_headerBytes;
    unsigned char *const *m_sectionData;
    bool m_full;
    int *m_status;
    int *m_percent;
    Timing m_timing;

    quint32 m_headerAddress = 0;
    quint32 m_headerLength = 0;
    quint32 m_sectionCount = 0;
    quint64 m_total = 0;   // header length + sizes of the taking-part sections
    quint64 m_done = 0;    // bytes done in the current phase
};

#endif // CFIRMWAREFLASHER_H
