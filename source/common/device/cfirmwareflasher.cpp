#include "device/cfirmwareflasher.h"
#include "device/reportaccess.h"

#include <QByteArray>
#include <QDebug>


#include <chrono>
#include <cstring>
#include <thread>

#include "device/lumivandrexdevice.h"
#include "logging/lvlogger.h"

namespace {

constexpr quint32 kPartialHeaderOffset = 0x1000;   // upgrade-area header above the base
constexpr int kPage = KVCAP_FLASH_PAGE;             // 256
constexpr int kReadPiece = KVCAP_FLASH_READ_MAX;    // 64
constexpr int kSectionNameWidth = 16;

// Status and percent are read by the GUI thread while we write them.
void StoreAtomic(int *target, int value)
{
    if (target)
        __atomic_store_n(target, value, __ATOMIC_RELEASE);
}

// Reads the busy report and tells apart "idle" from "no answer": HidGetReport
// turns a reply that lacks the busy byte into a zero, which would read as idle and
// let the next page be sent into a flash still programming the last one.
// Returns 1 busy, 0 idle, -1 failed or short reply.
int ReadBusyFlag(LumivandrexDevice *device)
{
    _KVCAP_FLASH_BUSY busy;
    int received = 0;
    if (!ReadReportReceived(device, busy, &received) || received < int(sizeof busy))
        return -1;
    return busy.busy != 0 ? 1 : 0;
}

QByteArray SectionName(const char *name)
{
    return QByteArray(name, int(strnlen(name, kSectionNameWidth)));
}

bool Overlaps(quint64 aStart, quint64 aEnd, quint64 bStart, quint64 bEnd)
{
    return aStart < bEnd && bStart < aEnd;
}

} // namespace

CFirmwareFlasher::CFirmwareFlasher(LumivandrexDevice *device, const _KVCAP_FLASH_INFO &flash,
                                   const _KV_FIRMWARE_HEADER *header, unsigned char *const *sectionData,
                                   bool full, int *status, int *percent, const Timing &timing)
    : m_device(device), m_flash(flash), m_header(header),
      m_headerBytes(reinterpret_cast<const unsigned char *>(header)), m_sectionData(sectionData),
      m_full(full), m_status(status), m_percent(percent), m_timing(timing)
{
}

bool CFirmwareFlasher::IsMatchedSection(bool full, const _KV_FIRMWARE_SECTION_HEADER *section)
{
    if (!section)
        return false;
    const bool upgradeArea = std::strncmp(section->name, "Upgrade.", 8) == 0;
    return full ? !upgradeArea : upgradeArea;
}

bool CFirmwareFlasher::IsCLRSection(const char *name)
{
    if (!name)
        return false;
    const QByteArray text = SectionName(name);
    return text.contains("Factory.CLR.") || text.contains("Upgrade.CLR");
}

bool CFirmwareFlasher::TakesPart(int index) const
{
    const _KV_FIRMWARE_SECTION_HEADER &section = m_header->sections[index];
    return section.size > 0 && IsMatchedSection(m_full, &section);
}

bool CFirmwareFlasher::IsClear(int index) const
{
    return IsCLRSection(m_header->sections[index].name);
}

// ---------------------------------------------------------------------------------
// Status and progress

void CFirmwareFlasher::SetStatus(int status)
{
    StoreAtomic(m_status, status);
}

void CFirmwareFlasher::StartPhase(int status)
{
    m_done = 0;
    StoreAtomic(m_percent, 0);
    SetStatus(status);
}

void CFirmwareFlasher::AddProgress(quint64 bytes)
{
    m_done += bytes;
    // 64-bit: done * 100 overflows 32 bits from 42 MB on.
    const quint64 percent = m_total ? qMin<quint64>(100, m_done * 100 / m_total) : 0;
    StoreAtomic(m_percent, int(percent));
}

// ---------------------------------------------------------------------------------
// Checks before anything is erased

bool CFirmwareFlasher::ValidateImage()
{
    if (!m_device || !m_header) {
        LV_LOG_ERROR("firmware flashing without a device or a header.");
        return false;
    }
    m_sectionCount = m_header->sectionCount;
    m_headerLength = m_header->headerLength;
    if (m_sectionCount > KV_FIRMWARE_MAX_SECTIONS
        || m_headerLength != KV_FIRMWARE_FIXED_HEADER_SIZE + KV_FIRMWARE_SECTION_RECORD_SIZE * m_sectionCount) {
        LV_LOG_ERROR("firmware header refused: " << m_sectionCount << " sections, length " << m_headerLength);
        return false;
    }
    const quint64 eraseUnit = m_flash.eraseUnit;
    if (eraseUnit == 0) {
        LV_LOG_ERROR("flash geometry refused: erase unit 0");
        return false;
    }
    // The flash size bounds the image when the device reports one; a device that
    // leaves the field at 0 is still flashed, within the 32-bit address space.
    const quint64 flashSize = m_flash.flashSize ? quint64(m_flash.flashSize) : (quint64(1) << 32);
    const quint64 headerAddress = quint64(m_flash.headerBase) + (m_full ? 0 : kPartialHeaderOffset);
    const quint64 headerEnd = headerAddress + m_headerLength;
    // The erase of the header area reaches to the end of its last erase unit.
    const quint64 headerAreaEnd = headerAddress + (m_headerLength + eraseUnit - 1) / eraseUnit * eraseUnit;
    if (headerAddress % eraseUnit != 0 || headerEnd > flashSize) {
        LV_LOG_ERROR("firmware header address refused: " << headerAddress);
        return false;
    }
    m_headerAddress = quint32(headerAddress);

    m_total = m_headerLength;
    for (quint32 i = 0; i < m_sectionCount; ++i) {
        if (!TakesPart(int(i)))
            continue;
        const _KV_FIRMWARE_SECTION_HEADER &section = m_header->sections[i];
        const quint64 start = section.address;
        const quint64 end = start + section.size;
        const QByteArray name = SectionName(section.name);
        if (start % eraseUnit != 0 || end > flashSize
            || Overlaps(start, end, headerAddress, headerAreaEnd)) {
            LV_LOG_ERROR("firmware section " << name << " refused: address " << start << ", size "
                                             << section.size);
            return false;
        }
        if (!IsClear(int(i)) && (!m_sectionData || !m_sectionData[i])) {
            LV_LOG_ERROR("firmware section " << name << " has no data.");
            return false;
        }
        // Both starts are erase-unit aligned, so overlapping bytes are the same
        // thing as overlapping erase units.
        for (quint32 j = 0; j < i; ++j) {
            if (!TakesPart(int(j)))
                continue;
            const _KV_FIRMWARE_SECTION_HEADER &other = m_header->sections[j];
            if (Overlaps(start, end, other.address, quint64(other.address) + other.size)) {
                LV_LOG_ERROR("firmware sections " << SectionName(other.name) << " and " << name
                                                  << " overlap.");
                return false;
            }
        }
        m_total += section.size;
    }
    return true;
}

// ---------------------------------------------------------------------------------
// Flash primitives

bool CFirmwareFlasher::WaitNotBusy()
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(m_timing.busyTimeoutMs);
    for (;;) {
        const int busy = ReadBusyFlag(m_device);
        if (busy == 0)
            return true;
        if (busy < 0)
            return false;
        if (Clock::now() >= deadline) {
            LV_LOG_ERROR("flash still busy after " << m_timing.busyTimeoutMs << " ms.");
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(m_timing.busyPollMs));
    }
}

bool CFirmwareFlasher::Erase(quint32 address, quint32 length)
{
    _KVCAP_FLASH_ERASE request{address, length};
    return WriteReport(m_device, request) && WaitNotBusy();
}

// One request covers at most one erase unit.
bool CFirmwareFlasher::EraseRange(quint32 address, quint32 length, bool countProgress)
{
    quint32 offset = 0;
    while (offset < length) {
        const quint32 chunk = qMin<quint32>(m_flash.eraseUnit, length - offset);
        if (!Erase(address + offset, chunk))
            return false;
        offset += chunk;
        if (countProgress)
            AddProgress(chunk);
    }
    return true;
}

bool CFirmwareFlasher::ProgramPage(quint32 address, const unsigned char *data, int length)
{
    _KVCAP_FLASH_DATA page;
    std::memset(&page, 0, sizeof(page));
    page.address = address;
    page.length = quint16(length);
    std::memcpy(page.data, data, size_t(length));
    return WriteReport(m_device, page) && WaitNotBusy();
}

bool CFirmwareFlasher::ReadFlash(LumivandrexDevice *device, quint32 address, unsigned char *out, int length)
{
    while (length > 0) {
        const int piece = qMin(length, kReadPiece);
        _KVCAP_FLASH_ADDRESS where{address};
        if (!WriteReport(device, where))
            return false;
        _KVCAP_FLASH_DATA reply;
        if (!ReadReport(device, reply))
            return false;
        std::memcpy(out, reply.data, size_t(piece));
        out += piece;
        address += quint32(piece);
        length -= piece;
    }
    return true;
}

bool CFirmwareFlasher::ReadBlank(quint32 address, quint32 length)
{
    unsigned char block[kPage];
    for (quint32 offset = 0; offset < length;) {
        const int n = int(qMin<quint32>(kPage, length - offset));
        if (!ReadFlash(m_device, address + offset, block, n))
            return false;
        for (int k = 0; k < n; ++k) {
            if (block[k] != 0xFF)
                return false;
        }
        offset += quint32(n);
    }
    return true;
}

bool CFirmwareFlasher::Verify(quint32 address, const unsigned char *expected, quint32 length, bool countProgress)
{
    unsigned char block[kPage];
    for (quint32 offset = 0; offset < length;) {
        const int n = int(qMin<quint32>(kPage, length - offset));
        if (!ReadFlash(m_device, address + offset, block, n) || std::memcmp(block, expected + offset, size_t(n)) != 0)
            return false;
        offset += quint32(n);
        if (countProgress)
            AddProgress(quint64(n));
    }
    return true;
}

// ---------------------------------------------------------------------------------
// Phases

bool CFirmwareFlasher::EraseHeaderArea()
{
    return EraseRange(m_headerAddress, m_headerLength, false);
}

bool CFirmwareFlasher::EraseAndWrite(int &failureStatus)
{
    StartPhase(KV_UPGRADE_ERASING);
    failureStatus = KV_UPGRADE_ERASE_FAILED;
    // The header area goes first, so an interrupted flashing leaves no header that
    // describes half-written sections.
    if (!EraseRange(m_headerAddress, m_headerLength, true))
        return false;
    for (quint32 i = 0; i < m_sectionCount; ++i) {
        if (!TakesPart(int(i)))
            continue;
        const _KV_FIRMWARE_SECTION_HEADER &section = m_header->sections[i];
        if (!EraseRange(section.address, section.size, true))
            return false;
        if (IsClear(int(i)) && !ReadBlank(section.address, section.size))
            return false;
    }

    StartPhase(KV_UPGRADE_WRITING);
    failureStatus = KV_UPGRADE_WRITE_FAILED;
    for (quint32 i = 0; i < m_sectionCount; ++i) {
        if (!TakesPart(int(i)) || IsClear(int(i)))
            continue;
        const _KV_FIRMWARE_SECTION_HEADER &section = m_header->sections[i];
        LV_LOG_INFO("firmware flashing: writing section " << SectionName(section.name) << ", " << section.size
                                                          << " bytes at 0x" << QString::number(section.address, 16));
        const unsigned char *data = m_sectionData[i];
        for (quint32 offset = 0; offset < section.size;) {
            const int n = int(qMin<quint32>(kPage, section.size - offset));
            if (!ProgramPage(section.address + offset, data + offset, n))
                return false;
            offset += quint32(n);
            AddProgress(quint64(n));
        }
    }
    return true;
}

// The header is written in page-sized pieces; the first page holds the magic, so
// it goes last: until it is written the device sees no header at all.
bool CFirmwareFlasher::WriteHeader()
{
    for (int attempt = 0; attempt < m_timing.attempts; ++attempt) {
        if (attempt > 0 && !EraseHeaderArea())
            continue;
        bool ok = true;
        for (quint32 offset = kPage; ok && offset < m_headerLength; offset += kPage) {
            const int n = int(qMin<quint32>(kPage, m_headerLength - offset));
            ok = ProgramPage(m_headerAddress + offset, m_headerBytes + offset, n);
        }
        if (ok && ProgramPage(m_headerAddress, m_headerBytes, int(qMin<quint32>(kPage, m_headerLength))))
            return true;
    }
    return false;
}

int CFirmwareFlasher::Run()
{
    if (!ValidateImage())
        return KV_UPGRADE_ERASE_FAILED;   // refused before anything was touched
    LV_LOG_INFO("firmware flashing started: " << (m_full ? "full" : "partial") << " image, " << m_total
                                              << " bytes with the header at 0x"
                                              << QString::number(m_headerAddress, 16));

    int failure = KV_UPGRADE_ERASE_FAILED;
    bool written = false;
    for (int attempt = 0; attempt < m_timing.attempts && !written; ++attempt) {
        written = EraseAndWrite(failure);
        if (!written)
            LV_LOG_ERROR("firmware flashing attempt " << attempt + 1 << " failed with status " << failure);
    }
    if (!written)
        return failure;   // the header area was erased first and never written

    // From here on there is no further attempt.
    LV_LOG_INFO("firmware flashing: verifying");
    StartPhase(KV_UPGRADE_VERIFYING);
    for (quint32 i = 0; i < m_sectionCount; ++i) {
        if (!TakesPart(int(i)) || IsClear(int(i)))
            continue;
        const _KV_FIRMWARE_SECTION_HEADER &section = m_header->sections[i];
        if (!Verify(section.address, m_sectionData[i], section.size, true)) {
            LV_LOG_ERROR("firmware section " << SectionName(section.name) << " does not verify.");
            EraseHeaderArea();
            return KV_UPGRADE_VERIFY_FAILED;
        }
    }
    if (!WriteHeader()) {
        LV_LOG_ERROR("writing the firmware header failed.");
        EraseHeaderArea();
        return KV_UPGRADE_WRITE_FAILED;
    }
    if (!Verify(m_headerAddress, m_headerBytes, m_headerLength, false)) {
        LV_LOG_ERROR("the firmware header does not verify.");
        EraseHeaderArea();
        return KV_UPGRADE_VERIFY_FAILED;
    }
    AddProgress(m_headerLength);
    return KV_UPGRADE_SUCCESS;
}
