#include "update/cupgradefirmware.h"

#include "logging/lvlogger.h"

#include <QFile>

#include <cstring>
#include <new>

bool IsFinalUpgradeStatus(int status)
{
    return status == KV_UPGRADE_OLDER_FIRMWARE || status == KV_UPGRADE_ERASE_FAILED
           || status == KV_UPGRADE_WRITE_FAILED || status == KV_UPGRADE_SUCCESS || status == KV_UPGRADE_VERIFY_FAILED;
}

CUpgradeFirmware::CUpgradeFirmware()
{
    std::memset(&m_header, 0, sizeof m_header);
}

CUpgradeFirmware::~CUpgradeFirmware()
{
    wait();
    freeSections();
}

void CUpgradeFirmware::freeSections()
{
    for (unsigned char*& section : m_sections) {
        delete[] section;
        section = nullptr;
    }
}

bool CUpgradeFirmware::readKVF(const QByteArray& path, _KV_FIRMWARE_HEADER* header, unsigned char** sections)
{
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) {
        LV_LOG_ERROR("firmware file cannot be opened: " << path);
        m_refusal = KVF_UNREADABLE;
        return false;
    }
    auto* bytes = reinterpret_cast<char*>(header);
    const qint64 fixed = KV_FIRMWARE_FIXED_HEADER_SIZE;
    m_refusal = KVF_UNREADABLE;
    if (file.read(bytes, fixed) != fixed)
        return false;
    const qint64 table = qint64(KV_FIRMWARE_SECTION_RECORD_SIZE) * qMin<unsigned>(header->sectionCount, KV_FIRMWARE_MAX_SECTIONS);
    if (header->sectionCount <= KV_FIRMWARE_MAX_SECTIONS && file.read(bytes + fixed, table) != table)
        return false;
    const qint64 left = file.size() - file.pos();
    m_refusal = CheckKvfHeader(*header, quint64(qMax<qint64>(0, left)), m_device.flashInfo);
    if (m_refusal != KVF_ACCEPTED)
        return false;
    for (unsigned i = 0; i < header->sectionCount; ++i) {
        const qint64 size = header->sections[i].size;
        sections[i] = new (std::nothrow) unsigned char[size_t(qMax<qint64>(size, 1))];
        if (!sections[i] || file.read(reinterpret_cast<char*>(sections[i]), size) != size) {
            for (unsigned k = 0; k <= i; ++k) {
                delete[] sections[k];
                sections[k] = nullptr;
            }
            m_refusal = KVF_UNREADABLE;
            return false;
        }
    }
    return true;
}

bool CUpgradeFirmware::Init(tagDEVICE_INSTANCE device, const QByteArray& path)
{
    freeSections();
    m_device.flashInfo = device.flashInfo;   // readKVF checks the sections against the flash
    m_refusal = CheckFlashGeometry(device.flashInfo);
    if (m_refusal == KVF_ACCEPTED) {
        std::memset(&m_header, 0, sizeof m_header);
        if (readKVF(path, &m_header, m_sections)) {
            m_refusal = CheckKvfData(m_header, m_sections);
            if (m_refusal == KVF_ACCEPTED)
                m_refusal = CheckKvfDevice(m_header, device.deviceInfo);
        }
    }
    if (m_refusal != KVF_ACCEPTED) {
        freeSections();
        return false;
    }
    m_device = device;
    LV_LOG_INFO("firmware file accepted: " << path);
    return true;
}

void CUpgradeFirmware::GetStatus(int& status, int& progress)
{
    QMutexLocker locker(&m_lock.m_mutex);
    status = __atomic_load_n(&m_status, __ATOMIC_ACQUIRE);
    progress = __atomic_load_n(&m_progress, __ATOMIC_ACQUIRE);
}

void CUpgradeFirmware::run()
{
    if (IsKvfOlder(m_header, m_device.deviceInfo)) {
        __atomic_store_n(&m_status, int(KV_UPGRADE_OLDER_FIRMWARE), __ATOMIC_RELEASE);
    } else {
        __atomic_store_n(&m_status, int(KV_UPGRADE_IDLE), __ATOMIC_RELEASE);
        const bool full = IsFullImage(m_header, m_device.firmwareLayout);
        m_result = g_presenter.Upgrade(m_device, &m_header, m_sections, &m_status, &m_progress, full);
    }
    // The libusb reference of the copy must not outlive the presenter's libusb.
    m_device.usbData.reset();
}
