// The update library behind kvupdate.h: one worker thread drives every transfer
// through a libcurl multi handle; the caller's thread only queues requests and
// reads atomics, so no call blocks on the network.

#include "kvupdate.h"
#include "kvupdaterequest.h"

#include <curl/curl.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>

#include <algorithm>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

using kvupdate::Request;
using RequestPtr = std::shared_ptr<Request>;

namespace {

struct Library
{
    std::mutex mutex;                         // guards everything below
    std::condition_variable firstRequest;     // the worker waits for it before starting libcurl
    int initCount = 0;
    bool stopping = false;
    bool broken = false;                      // libcurl did not start: requests are refused
    CURLM *multi = nullptr;                   // made by the worker
    std::thread worker;
    std::map<KVU_HANDLE, RequestPtr> live;    // handles the caller holds
    std::vector<RequestPtr> toStart;
    std::vector<RequestPtr> toCancel;
    KVU_HANDLE nextHandle = 1;
    int dnsTimeout = 5;
    int requestTimeout = 5;
    std::vector<std::string> servers;
};

Library &lib()
{
    static Library instance;
    return instance;
}

void wakeWorker(Library &l)
{
    if (l.multi)
        curl_multi_wakeup(l.multi);
}

RequestPtr find(KVU_HANDLE handle)
{
    Library &l = lib();
    std::lock_guard<std::mutex> lock(l.mutex);
    auto it = l.live.find(handle);
    return it == l.live.end() ? RequestPtr() : it->second;
}

KVU_HANDLE submit(const RequestPtr &request)
{
    Library &l = lib();
    std::lock_guard<std::mutex> lock(l.mutex);
    if (l.initCount == 0 || l.stopping || l.broken)
        return 0;
    request->dnsTimeout = l.dnsTimeout;
    request->requestTimeout = l.requestTimeout;
    KVU_HANDLE handle = l.nextHandle++;
    if (l.nextHandle == 0)
        l.nextHandle = 1;
    l.live[handle] = request;
    l.toStart.push_back(request);
    wakeWorker(l);
    l.firstRequest.notify_all();
    kvupdate::Log(4, "request %u: %s", handle, request->urls.front().c_str());
    return handle;
}

std::string text(const char *s)
{
    return s ? std::string(s) : std::string();
}

std::string escaped(const char *s)
{
    return QUrl::toPercentEncoding(QString::fromUtf8(text(s).c_str())).toStdString();
}

KVU_HANDLE startCheck(const char *path, const std::string &query)
{
    if (!path)
        return 0;
    auto request = std::make_shared<Request>(false);
    {
        Library &l = lib();
        std::lock_guard<std::mutex> lock(l.mutex);
        for (const std::string &base : l.servers) {
            std::string url = base;
            while (!url.empty() && url.back() == '/')
                url.pop_back();
            url += std::string(*path == '/' ? "" : "/") + path + "?" + query;
            if (kvupdate::IsAllowedUrl(url))
                request->urls.push_back(url);
        }
    }
    if (request->urls.empty()) {
        kvupdate::Log(1, "check refused: no usable update server");
        return 0;
    }
    return submit(request);
}

// ---------------------------------------------------------------------- worker

// libcurl is loaded and started here, once the first request comes, rather than
// in KVU_Init: the program's start neither waits for the library and its tens of
// dependencies nor has their loading hold up its own (the loader is one at a time).
bool startCurl(Library &l)
{
    {
        std::unique_lock<std::mutex> lock(l.mutex);
        l.firstRequest.wait(lock, [&l] { return l.stopping || !l.toStart.empty(); });
        if (l.stopping)
            return false;
    }
    static std::once_flag global;
    static bool globalOk = false;
    std::call_once(global, [] { globalOk = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
    CURLM *multi = globalOk ? curl_multi_init() : nullptr;
    std::lock_guard<std::mutex> lock(l.mutex);
    l.multi = multi;
    if (multi)
        return true;
    kvupdate::Log(1, "libcurl did not start; every request fails");
    l.broken = true;
    for (const RequestPtr &r : l.toStart)
        r->Abort(nullptr);
    l.toStart.clear();
    return false;
}

void workerLoop()
{
    Library &l = lib();
    if (!startCurl(l))
        return;
    std::vector<RequestPtr> active;
    for (;;) {
        std::vector<RequestPtr> starting, cancelling;
        {
            std::lock_guard<std::mutex> lock(l.mutex);
            if (l.stopping)
                break;
            starting.swap(l.toStart);
            cancelling.swap(l.toCancel);
        }
        for (const RequestPtr &r : starting) {
            if (!r->cancelled && r->Start(l.multi))
                active.push_back(r);
        }
        for (const RequestPtr &r : cancelling) {
            r->Abort(l.multi);
            active.erase(std::remove(active.begin(), active.end(), r), active.end());
        }
        int running = 0;
        curl_multi_perform(l.multi, &running);
        int queued = 0;
        while (CURLMsg *msg = curl_multi_info_read(l.multi, &queued)) {
            if (msg->msg != CURLMSG_DONE)
                continue;
            auto it = std::find_if(active.begin(), active.end(),
                                   [&](const RequestPtr &r) { return r->easy == msg->easy_handle; });
            if (it == active.end())
                continue;
            RequestPtr r = *it;
            if (!r->Finish(l.multi, msg->data.result))
                active.erase(std::find(active.begin(), active.end(), r));
        }
        curl_multi_poll(l.multi, nullptr, 0, 500, nullptr);
    }
    for (const RequestPtr &r : active)
        r->Abort(l.multi);
}

} // namespace

// ---------------------------------------------------------------------- C interface

extern "C" {

int KVU_Init(void)
{
    Library &l = lib();
    std::lock_guard<std::mutex> lock(l.mutex);
    if (l.initCount++ > 0)
        return 0;
    l.stopping = false;
    l.broken = false;
    l.worker = std::thread(workerLoop);   // starts libcurl with the first request
    return 0;
}

void KVU_UnInit(void)
{
    Library &l = lib();
    std::thread worker;
    {
        std::lock_guard<std::mutex> lock(l.mutex);
        if (l.initCount == 0 || --l.initCount > 0)
            return;
        l.stopping = true;
        wakeWorker(l);
        l.firstRequest.notify_all();
        worker.swap(l.worker);
    }
    if (worker.joinable())
        worker.join();
    std::lock_guard<std::mutex> lock(l.mutex);
    // Requests that never reached the worker still own a temporary file.
    for (const RequestPtr &r : l.toStart)
        r->Abort(nullptr);
    l.toStart.clear();
    l.toCancel.clear();
    l.live.clear();
    if (l.multi)
        curl_multi_cleanup(l.multi);
    l.multi = nullptr;
    l.servers.clear();
}

int KVU_SetLogLevel(int level)
{
    kvupdate::SetLogLevel(level);
    return 0;
}

int KVU_SetTimeout(int dnsTimeout, int requestTimeout)
{
    if (dnsTimeout < 1 || requestTimeout < 1)
        return -1;
    Library &l = lib();
    std::lock_guard<std::mutex> lock(l.mutex);
    l.dnsTimeout = dnsTimeout;
    l.requestTimeout = requestTimeout;
    return 0;
}

int KVU_SetUpdateServer(const char *serverListJson)
{
    std::vector<std::string> servers;
    const std::string json = text(serverListJson);
    if (!json.empty()) {
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json));
        if (!doc.isArray())
            return -1;
        for (const QJsonValue &v : doc.array()) {
            if (!v.isString())
                return -1;
            servers.push_back(v.toString().toStdString());
        }
    }
    Library &l = lib();
    std::lock_guard<std::mutex> lock(l.mutex);
    l.servers = servers;
    return 0;
}

KVU_HANDLE KVU_CheckSoftware(const char *path, const char *const *info, int, int)
{
    if (!info)
        return 0;
    return startCheck(path, "type=software&product=" + escaped(info[0]) + "&version=" + escaped(info[1]));
}

KVU_HANDLE KVU_CheckFirmware(const char *path, const char *const *info, int, int)
{
    if (!info)
        return 0;
    return startCheck(path, "type=firmware&model=" + escaped(info[0]) + "&sub=" + escaped(info[1])
                                + "&hw=" + escaped(info[2]) + "&version=" + escaped(info[3]));
}

int KVU_GetStatus(KVU_HANDLE handle)
{
    RequestPtr r = find(handle);
    return r ? r->status.load() : KV_UPDATE_INVALID_HANDLE;
}

int KVU_GetCheckResultCount(KVU_HANDLE handle)
{
    RequestPtr r = find(handle);
    if (!r || r->download || r->status.load() != KV_UPDATE_SUCCESS)
        return 0;
    return int(r->results.size());
}

int KVU_GetCheckResult(KVU_HANDLE handle, int index, KVU_RESULT_PAIR *pairs, int *count)
{
    RequestPtr r = find(handle);
    if (!count || !r || r->download || r->status.load() != KV_UPDATE_SUCCESS || index < 0
        || index >= int(r->results.size()))
        return -1;
    const auto &result = r->results[size_t(index)];
    if (!pairs) {
        *count = int(result.size());
        return 0;
    }
    const int n = std::min(*count, int(result.size()));
    for (int i = 0; i < n; ++i) {
        std::memset(&pairs[i], 0, sizeof pairs[i]);
        std::memcpy(pairs[i].key, result[size_t(i)].first.data(), result[size_t(i)].first.size());
        std::memcpy(pairs[i].value, result[size_t(i)].second.data(), result[size_t(i)].second.size());
    }
    *count = std::max(n, 0);
    return 0;
}

KVU_HANDLE KVU_Download(const char *url, const char *destPath, int overwrite, const char *md5, int maxBytes, int)
{
    const std::string address = text(url), dest = text(destPath), digest = text(md5);
    if (overwrite != 1 || dest.empty() || !kvupdate::IsAllowedUrl(address) || !kvupdate::IsMd5Text(digest)) {
        kvupdate::Log(1, "download refused: %s", address.c_str());
        return 0;
    }
    auto request = std::make_shared<Request>(true);
    request->urls.push_back(address);
    request->md5 = digest;
    request->maxBytes = std::max(maxBytes, 0);
    if (!request->OpenTemporary(dest))
        return 0;
    const KVU_HANDLE handle = submit(request);
    if (!handle)
        request->Abort(nullptr);
    return handle;
}

int KVU_GetDownloadResult(KVU_HANDLE handle, int *total, int *received)
{
    RequestPtr r = find(handle);
    if (!r || !r->download || !total || !received)
        return -1;
    *total = int(std::min<long long>(r->total.load(), INT_MAX));
    *received = int(std::min<long long>(r->received.load(), INT_MAX));
    return 0;
}

void KVU_Close(KVU_HANDLE handle)
{
    Library &l = lib();
    std::lock_guard<std::mutex> lock(l.mutex);
    auto it = l.live.find(handle);
    if (it == l.live.end())
        return;
    it->second->cancelled = true;
    l.toCancel.push_back(it->second);
    l.live.erase(it);
    wakeWorker(l);
}

} // extern "C"
