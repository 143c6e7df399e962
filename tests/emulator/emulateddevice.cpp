#include "emulateddevice.h"

#include <cerrno>
#include <cstring>

#include "device/usbids.h"
#include "stockcontent.h"

namespace lvemu {

namespace {

constexpr uint8_t kCommitReport = 0xFE;
constexpr uint8_t kNotifyEnableReport = 0x07;
constexpr uint8_t kNotifyStatusReport = 0x08;

// Reports the host can both read and write are the device's settings: they have a
// live, a saved and a factory copy. The flash data report is a port, not a setting.
bool isSetting(const KvReportEntry& entry)
{
    return entry.direction == KvReportGetSet && entry.id != 0xF3;
}

uint32_t le32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void put16(uint8_t* p, uint16_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

void put32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

template <size_t N> void copyText(char (&field)[N], const std::string& text)
{
    memset(field, 0, N);
    memcpy(field, text.data(), std::min(text.size(), N - 1));
}

std::string productNameFor(uint16_t vendorId, uint16_t productId)
{
    if (vendorId == lvusb::kVendorPartner)
        return "Partner Capture HD";
    if (productId >= lvusb::kProductRangeBFirst && productId <= lvusb::kProductRangeBLast)
        return "Lumivandrex Capture SDI " + std::to_string(productId - lvusb::kProductRangeBFirst + 1);
    if (productId >= lvusb::kProductRangeAFirst && productId <= lvusb::kProductRangeALast)
        return "Lumivandrex Capture Pro " + std::to_string(productId - lvusb::kProductRangeAFirst + 1);
    return "Lumivandrex Capture HDMI";
}

} // namespace

EmulatedDevice::EmulatedDevice(uint16_t vendorId, uint16_t productId, const std::string& serial)
    : m_vendorId(vendorId), m_productId(productId), m_flash(kFlashSize, 0xFF)
{
    stockContent(serial);
    stockFlash();
}

// ---------------------------------------------------------------------- stock content

void EmulatedDevice::stockContent(const std::string& serial)
{
    for (const KvReportEntry& entry : g_arrReportCatalogue)
        m_live[entry.id] = Bytes(entry.length, 0);

    _KVCAP_DEVICE_INFO info{};
    info.productId = m_productId;
    info.hardwareVersion = 'B';
    info.identifier = 3;
    info.firmwareVersion = kDefaultFirmwareVersion;
    copyText(info.familyName, "Lumivandrex");
    copyText(info.productName, productNameFor(m_vendorId, m_productId));
    copyText(info.serialNumber, serial);
    memcpy(m_live[0x01].data(), &info, sizeof info);

    m_live[0x02][0] = 3;                  // running on USB 3.0

    _KVCAP_DEVICE_CAPS caps{};
    caps.flags = KVCAP_CAPS_LOOP_THROUGH | KVCAP_CAPS_NV12_I420;
    caps.maxInputWidth = 4096;
    caps.maxInputHeight = 2160;
    caps.maxCaptureWidth = 4096;
    caps.maxCaptureHeight = 2160;
    memcpy(m_live[0x03].data(), &caps, sizeof caps);

    put32(m_live[0x04].data(), 0x3);      // two audio nodes

    // An HDMI 1080p60 signal on the input.
    _KVCAP_INPUT_STATUS status{};
    status.valid = 1;
    status.inputType = 1;
    status.hdmi.mode = 1;
    status.hdmi.colorDepth = 8;
    status.hdmi.vic = 16;
    _KVCAP_HDMI_TIMING& t = status.hdmi.timing;
    t.frameDuration = 166667;
    t.hSyncWidth = 44;
    t.hFrontPorch = 88;
    t.hBackPorch = 148;
    t.hActive = 1920;
    t.hTotal = 2200;
    t.field0VSyncWidth = 5;
    t.field0VFrontPorch = 4;
    t.field0VBackPorch = 36;
    t.field0VActive = 1080;
    t.field0VTotal = 1125;
    memcpy(m_live[0x10].data(), &status, sizeof status);

    // A minimal valid EDID block (header + checksum) for the capture and loop-through EDIDs.
    for (uint8_t id : {uint8_t(0x98), uint8_t(0x99)}) {
        Bytes& edid = m_live[id];
        const uint8_t header[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
        memcpy(edid.data(), header, sizeof header);
        edid[18] = 1;                     // EDID 1.3
        edid[19] = 3;
        uint8_t sum = 0;
        for (int i = 0; i < 127; ++i)
            sum = uint8_t(sum + edid[i]);
        edid[127] = uint8_t(0x100 - sum);
    }

    _KVCAP_FLASH_INFO flashInfo{};
    flashInfo.flashSize = kFlashSize;
    flashInfo.eraseUnit = kFlashEraseUnit;
    flashInfo.pageSize = kFlashPageSize;
    flashInfo.headerBase = kFlashHeaderBase;
    memcpy(m_live[0xF0].data(), &flashInfo, sizeof flashInfo);

    put32(m_live[0xFF].data(), 0xFF);     // every page

    const StockIdentity identity{m_vendorId, m_productId};
    for (auto stock : {StockInput, StockVideo, StockFormats, StockVolume, StockTiming, StockHdmi, StockAdvanced})
        stock(m_live, identity);

    for (const KvReportEntry& entry : g_arrReportCatalogue) {
        if (isSetting(entry)) {
            m_saved[entry.id] = m_live[entry.id];
            m_factory[entry.id] = m_live[entry.id];
        }
    }
}

// The running firmware's header at the header base (so the presenter finds a layout
// word) and its one section, as a flashing of the stock image would leave them.
void EmulatedDevice::stockFlash()
{
    uint8_t header[157 + 28] = {};
    memcpy(header, "KVFH", 4);
    put16(header + 8, kDefaultFirmwareLayout);
    put16(header + 10, sizeof header);
    // Header version: major in bits 23-16, minor in bits 7-0 (matches the running firmware).
    put32(header + 16, ((kDefaultFirmwareVersion >> 24) & 0xFF) << 16 | ((kDefaultFirmwareVersion >> 16) & 0xFF));
    header[156] = 1;
    memcpy(header + 157, "Main.App", 8);
    put32(header + 157 + 16, kFlashMainSection);
    put32(header + 157 + 20, 0x1000);
    memcpy(m_flash.data() + kFlashHeaderBase, header, sizeof header);
    for (uint32_t i = 0; i < 0x1000; ++i)
        m_flash[kFlashMainSection + i] = uint8_t(i * 7 + 1);
}

// ---------------------------------------------------------------------- content API

void EmulatedDevice::setReport(uint8_t id, const Bytes& payload)
{
    const KvReportEntry* entry = FindReport(id);
    if (!entry)
        return;
    Bytes sized = payload;
    sized.resize(entry->length, 0);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_live[id] = sized;
    if (isSetting(*entry)) {
        m_saved[id] = sized;
        m_factory[id] = sized;
    }
}

void EmulatedDevice::setLiveReport(uint8_t id, const Bytes& payload)
{
    const KvReportEntry* entry = FindReport(id);
    if (!entry)
        return;
    Bytes sized = payload;
    sized.resize(entry->length, 0);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_live[id] = sized;
}

Bytes EmulatedDevice::liveReport(uint8_t id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_live.find(id);
    return it == m_live.end() ? Bytes() : it->second;
}

Bytes EmulatedDevice::savedReport(uint8_t id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_saved.find(id);
    return it == m_saved.end() ? Bytes() : it->second;
}

void EmulatedDevice::setFeatureFlags(uint32_t flags)
{
    Bytes b(4);
    put32(b.data(), flags);
    setReport(0xFF, b);
}

void EmulatedDevice::setFirmwareVersion(uint32_t version)
{
    _KVCAP_DEVICE_INFO info = deviceInfo();
    info.firmwareVersion = version;
    setDeviceInfo(info);
}

void EmulatedDevice::setProductName(const std::string& name)
{
    _KVCAP_DEVICE_INFO info = deviceInfo();
    copyText(info.productName, name);
    setDeviceInfo(info);
}

void EmulatedDevice::setSerialNumber(const std::string& serial)
{
    _KVCAP_DEVICE_INFO info = deviceInfo();
    copyText(info.serialNumber, serial);
    setDeviceInfo(info);
}

void EmulatedDevice::setNotifyBits(uint64_t bits)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_notifyLatch |= bits;
}

uint64_t EmulatedDevice::pendingNotifyBits() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_notifyLatch;
}

uint64_t EmulatedDevice::notifyEnableMask() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_notifyEnable;
}

void EmulatedDevice::setNotifyMasking(bool on)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_notifyMasking = on;
}

int EmulatedDevice::commitCount(uint8_t value) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return value < 3 ? m_commits[value] : 0;
}

Bytes EmulatedDevice::flash(uint32_t address, uint32_t length) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (address >= kFlashSize)
        return Bytes();
    length = std::min(length, kFlashSize - address);
    return Bytes(m_flash.begin() + address, m_flash.begin() + address + length);
}

void EmulatedDevice::pokeFlash(uint32_t address, const Bytes& bytes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (size_t i = 0; i < bytes.size() && address + i < kFlashSize; ++i)
        m_flash[address + i] = bytes[i];
}

void EmulatedDevice::setBusyPolls(int polls)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_busyPolls = std::max(0, polls);
}

int EmulatedDevice::eraseCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_erases;
}

int EmulatedDevice::programCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_programs;
}

// ---------------------------------------------------------------------- faults

void EmulatedDevice::stallReport(uint8_t id, bool stall)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stalled[id] = stall;
}

void EmulatedDevice::setShortReply(uint8_t id, int bytes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (bytes < 0)
        m_shortReply.erase(id);
    else
        m_shortReply[id] = bytes;
}

void EmulatedDevice::setOpenFails(bool fails)
{
    std::function<void(bool)> hook;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_openFails == fails)
            return;
        m_openFails = fails;
        hook = m_nodeHook;
    }
    if (hook)
        hook(fails);
}

bool EmulatedDevice::openFails() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_openFails;
}

void EmulatedDevice::unplugOnTransfer(uint8_t id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_unplugOnId = id;
}

void EmulatedDevice::setBusyStuck(bool stuck)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_busyStuck = stuck;
}

void EmulatedDevice::setFlashReadBitFlip(uint32_t address, uint8_t mask)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_flipAddress = address;
    m_flipMask = mask;
}

void EmulatedDevice::clearFaults()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stalled.clear();
        m_shortReply.clear();
        m_unplugOnId = -1;
        m_busyStuck = false;
        m_unanswering = false;
        m_hangAfter = nullptr;
        m_flipMask = 0;
    }
    setOpenFails(false);
}

// ---------------------------------------------------------------------- observation

std::vector<TransferRecord> EmulatedDevice::transfers() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_log;
}

void EmulatedDevice::clearTransfers()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_log.clear();
}

int EmulatedDevice::transferCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_log.size());
}

bool EmulatedDevice::kernelDriverBound() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_kernelDriver;
}

bool EmulatedDevice::interfaceClaimed() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_claimOwner != nullptr;
}

int EmulatedDevice::totalOpens() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_totalOpens;
}

bool EmulatedDevice::present() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_present;
}

void EmulatedDevice::logTransfer(const TransferRecord& record)
{
    // Bounded so a long-running launcher session does not grow without end.
    if (m_log.size() >= 100000)
        m_log.erase(m_log.begin(), m_log.begin() + 50000);
    m_log.push_back(record);
}

// ---------------------------------------------------------------------- kernel side

Bytes EmulatedDevice::deviceDescriptor() const
{
    return {18, 1, 0x00, 0x02, 0, 0, 0, 64, uint8_t(m_vendorId), uint8_t(m_vendorId >> 8),
            uint8_t(m_productId), uint8_t(m_productId >> 8), 0x00, 0x01, 1, 2, 3, 1};
}

Bytes EmulatedDevice::configDescriptor() const
{
    // One configuration, interface 9 of class HID with one interrupt IN endpoint.
    Bytes c = {9, 2, 0, 0, 1, 1, 0, 0x80, 250,
               9, 4, uint8_t(lvusb::kHidInterface), 0, 1, 3, 0, 0, 0,
               9, 0x21, 0x11, 0x01, 0, 1, 0x22, 24, 0,
               7, 5, 0x81, 3, 64, 0, 1};
    c[2] = uint8_t(c.size());
    c[3] = uint8_t(c.size() >> 8);
    return c;
}

int EmulatedDevice::detachKernelDriver()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_kernelDriver)
        return ENODATA;
    m_kernelDriver = false;
    return 0;
}

int EmulatedDevice::attachKernelDriver()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_claimOwner)
        return EBUSY;   // as the kernel: a claimed interface cannot be bound
    m_kernelDriver = true;
    return 0;
}

int EmulatedDevice::claimInterface(const void* client)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_kernelDriver)
        return EBUSY;
    if (m_claimOwner && m_claimOwner != client)
        return EBUSY;
    m_claimOwner = client;
    return 0;
}

int EmulatedDevice::releaseInterface(const void* client)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_claimOwner != client)
        return EINVAL;
    m_claimOwner = nullptr;
    return 0;
}

int EmulatedDevice::disconnectClaim(const void* client)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_claimOwner && m_claimOwner != client)
        return EBUSY;
    m_kernelDriver = false;
    m_claimOwner = client;
    return 0;
}

void EmulatedDevice::clientConnected()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_totalOpens;
}

void EmulatedDevice::clientVanished(const void* client)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_claimOwner == client)
        m_claimOwner = nullptr;   // closing the file releases its claims
}

void EmulatedDevice::setPresent(bool present)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_present = present;
    if (present) {
        m_kernelDriver = true;    // plugging binds usbhid again
        m_claimOwner = nullptr;
        m_unplugRequested = false;
    }
}

bool EmulatedDevice::takeUnplugRequest()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const bool requested = m_unplugRequested;
    m_unplugRequested = false;
    return requested;
}

void EmulatedDevice::setNodeHook(std::function<void(bool)> hook)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nodeHook = std::move(hook);
}

// ---------------------------------------------------------------------- requests

EmulatedDevice::ControlResult EmulatedDevice::handleControl(const void* client, const uint8_t* setup,
                                                            const uint8_t* outData, Bytes& in)
{
    const uint8_t requestType = setup[0];
    const uint8_t request = setup[1];
    const uint16_t wValue = uint16_t(setup[2] | setup[3] << 8);
    const uint16_t wIndex = uint16_t(setup[4] | setup[5] << 8);
    const uint16_t wLength = uint16_t(setup[6] | setup[7] << 8);
    const int type = (requestType >> 5) & 3;
    const int recipient = requestType & 0x1F;
    const bool isIn = (requestType & 0x80) != 0;

    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_present)
        return Gone;

    if (type == 0 && recipient == 0) {    // standard device requests
        if (request == 0x06 && isIn) {
            const uint8_t descType = uint8_t(wValue >> 8);
            if (descType == 1)
                in = deviceDescriptor();
            else if (descType == 2)
                in = configDescriptor();
            else
                return Stall;
        } else if (request == 0x00 && isIn) {
            in = {0, 0};
        } else if (request == 0x08 && isIn) {
            in = {1};
        } else {
            return Stall;
        }
        if (in.size() > wLength)
            in.resize(wLength);
        return Done;
    }

    if (recipient != 1 || (wIndex & 0xFF) != lvusb::kHidInterface)
        return Stall;
    // usbfs claims the interface implicitly for a request to it; while the kernel driver
    // owns it the request is refused outright (EBUSY), as on a real system.
    if (m_claimOwner != client) {
        if (m_kernelDriver || m_claimOwner)
            return Busy;
        m_claimOwner = client;
    }
    if (type != 1)
        return Stall;

    const uint8_t reportType = uint8_t(wValue >> 8);
    const uint8_t id = uint8_t(wValue & 0xFF);
    TransferRecord rec;
    rec.direction = request == 0x01 ? TransferRecord::Get : request == 0x09 ? TransferRecord::Set
                                                                           : TransferRecord::Other;
    rec.reportType = reportType;
    rec.id = id;
    rec.requestType = requestType;
    rec.request = request;
    rec.wIndex = wIndex;
    rec.wLength = wLength;
    if (!isIn && outData)
        rec.bytes.assign(outData, outData + wLength);

    ControlResult result;
    if (m_unplugOnId == id) {
        m_unplugOnId = -1;
        m_present = false;
        m_unplugRequested = true;
        result = Gone;
    } else if (m_unanswering) {
        result = NoAnswer;
        ++m_waiting;
    } else if (m_stalled.count(id) && m_stalled[id]) {
        result = Stall;
    } else {
        result = handleHidRequest(request, isIn, reportType, id, wLength, outData, in);
    }
    if (result == Done && isIn)
        rec.bytes = in;
    rec.outcome = result == Done ? TransferRecord::Ok : result == Gone ? TransferRecord::NoDevice
                                                                       : TransferRecord::Stalled;
    logTransfer(rec);
    if (result == Done && m_hangAfter && m_hangAfter(rec)) {
        m_hangAfter = nullptr;
        m_unanswering = true;
    }
    return result;
}

EmulatedDevice::ControlResult EmulatedDevice::handleHidRequest(uint8_t request, bool isIn, uint8_t type,
                                                               uint8_t id, uint16_t wLength,
                                                               const uint8_t* outData, Bytes& in)
{
    const KvReportEntry* entry = FindReport(id);
    if (!entry || wLength != entry->length + 1)
        return Stall;
    if (request == 0x01 && isIn && type == 1 && (entry->direction & KvReportGet))
        return getReport(id, wLength, in);
    if (request == 0x09 && !isIn && type == 2 && (entry->direction & KvReportSet) && outData && outData[0] == id)
        return setReport(id, outData, wLength);
    return Stall;
}

EmulatedDevice::ControlResult EmulatedDevice::getReport(uint8_t id, uint16_t wLength, Bytes& in)
{
    in.assign(1, id);
    const Bytes& live = m_live[id];
    in.insert(in.end(), live.begin(), live.end());
    uint8_t* payload = in.data() + 1;

    if (id == kNotifyStatusReport) {
        uint64_t bits = m_notifyMasking ? (m_notifyLatch & m_notifyEnable) : m_notifyLatch;
        m_notifyLatch &= ~bits;
        for (int i = 0; i < 8; ++i)
            payload[i] = uint8_t(bits >> (8 * i));
    } else if (id == 0xF4) {
        payload[0] = (m_busyStuck || m_busyLeft > 0) ? 1 : 0;
        if (m_busyLeft > 0)
            --m_busyLeft;
    } else if (id == 0xF3) {
        put32(payload, m_readAddress);
        put16(payload + 4, KVCAP_FLASH_PAGE);
        for (uint32_t i = 0; i < uint32_t(KVCAP_FLASH_PAGE); ++i) {
            const uint32_t address = m_readAddress + i;
            uint8_t value = address < kFlashSize ? m_flash[address] : 0xFF;
            if (m_flipMask && address == m_flipAddress)
                value ^= m_flipMask;
            payload[6 + i] = value;
        }
    }

    auto shortIt = m_shortReply.find(id);
    if (shortIt != m_shortReply.end() && size_t(shortIt->second) < in.size())
        in.resize(size_t(shortIt->second));
    if (in.size() > wLength)
        in.resize(wLength);
    return Done;
}

EmulatedDevice::ControlResult EmulatedDevice::setReport(uint8_t id, const uint8_t* data, uint16_t wLength)
{
    const uint8_t* payload = data + 1;
    const size_t length = size_t(wLength) - 1;
    switch (id) {
    case kCommitReport: {
        const uint8_t how = payload[0];
        if (how > 2)
            return Stall;
        for (auto& kv : m_saved) {
            if (how == 2)
                kv.second = m_live[kv.first];
            else if (how == 1)
                m_live[kv.first] = kv.second;
            else
                m_live[kv.first] = m_factory[kv.first];
        }
        ++m_commits[how];
        return Done;
    }
    case kNotifyEnableReport:
        m_notifyEnable = uint64_t(le32(payload + 1)) | uint64_t(le32(payload + 5)) << 32;
        m_live[id].assign(payload, payload + length);
        return Done;
    case 0xF1:
    case 0xF2:
    case 0xF3:
        return flashSet(id, payload);
    case 0x98:
        // 256 zero bytes ask for the device's own default EDID back.
        if (std::all_of(payload, payload + length, [](uint8_t b) { return b == 0; }))
            m_live[id] = m_factory[id];
        else
            m_live[id].assign(payload, payload + length);
        return Done;
    default:
        m_live[id].assign(payload, payload + length);
        return Done;
    }
}

// NOR flash: erase sets whole erase units to 0xFF, programming can only clear bits
// (AND), and the part is busy for a few status polls after either.
EmulatedDevice::ControlResult EmulatedDevice::flashSet(uint8_t id, const uint8_t* payload)
{
    const uint32_t address = le32(payload);
    if (id == 0xF2) {
        if (address >= kFlashSize)
            return Stall;
        m_readAddress = address;
        return Done;
    }
    if (m_busyStuck || m_busyLeft > 0)
        return Stall;             // a real part ignores commands while busy; make it loud
    if (id == 0xF1) {
        const uint32_t length = le32(payload + 4);
        if (length > kFlashEraseUnit || address >= kFlashSize || length > kFlashSize - address)
            return Stall;
        if (length > 0) {
            const uint32_t first = address / kFlashEraseUnit * kFlashEraseUnit;
            const uint32_t end = (address + length + kFlashEraseUnit - 1) / kFlashEraseUnit * kFlashEraseUnit;
            std::fill(m_flash.begin() + first, m_flash.begin() + end, 0xFF);
        }
        ++m_erases;
        m_busyLeft = m_busyPolls;
        return Done;
    }
    const uint16_t length = uint16_t(payload[4] | payload[5] << 8);
    if (length > KVCAP_FLASH_PAGE || address >= kFlashSize || length > kFlashSize - address)
        return Stall;
    for (uint32_t i = 0; i < length; ++i)
        m_flash[address + i] &= payload[6 + i];
    ++m_programs;
    m_busyLeft = m_busyPolls;
    return Done;
}

} // namespace lvemu
