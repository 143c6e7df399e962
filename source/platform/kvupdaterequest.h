#ifndef KVUPDATEREQUEST_H
#define KVUPDATEREQUEST_H
// One check or download of the update library (kvupdate.cpp). Created on the
// caller's thread, then driven only by the library's worker thread; the caller
// reads nothing but the atomics, and the results once the status says success.

#include <QCryptographicHash>

#include <curl/system.h>   // curl_off_t, as libcurl's progress callback takes it

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "kvupdate.h"

typedef void CURL;
typedef void CURLM;

namespace kvupdate {

void SetLogLevel(int level);
void Log(int level, const char *format, ...);

// https anywhere; plain http only to the loopback address.
bool IsAllowedUrl(const std::string &url);
bool IsMd5Text(const std::string &text);

class Request
{
public:
    explicit Request(bool isDownload) : download(isDownload) {}
    ~Request();

    // Worker thread: start on the next address; false when none is left.
    bool Start(CURLM *multi);
    // Worker thread: a transfer ended with `code`; true when it goes on
    // (next server), false when the request reached its final status.
    bool Finish(CURLM *multi, int code);
    // Ends the transfer and deletes a partial file; safe more than once.
    void Abort(CURLM *multi);
    // Caller's thread, before submission: the temporary file beside `dest`.
    bool OpenTemporary(const std::string &dest);

    const bool download;
    std::atomic<int> status{KV_UPDATE_CONNECTING};
    std::atomic<long long> total{0};
    std::atomic<long long> received{0};
    std::atomic<bool> cancelled{false};

    int dnsTimeout = 5;
    int requestTimeout = 5;
    std::vector<std::string> urls;   // a check tries each server in turn
    std::string md5;
    long long maxBytes = 0;          // a download's limit; 0: none
    CURL *easy = nullptr;
    // Filled before the status turns to success, never changed afterwards.
    std::vector<std::vector<std::pair<std::string, std::string>>> results;

private:
    static size_t OnData(char *data, size_t size, size_t count, void *self);
    static int OnProgress(void *self, curl_off_t dlTotal, curl_off_t dlNow, curl_off_t, curl_off_t);
    void ReleaseEasy(CURLM *multi);
    int ParseAnswer();
    int PlaceFile();
    void DropFile();

    size_t m_next = 0;
    std::string m_body;             // a check's answer
    std::string m_tempPath;         // empty once placed or deleted
    std::string m_destPath;
    FILE *m_file = nullptr;
    long long m_written = 0;        // bytes of the body received so far
    bool m_tooLarge = false;
    QCryptographicHash m_hash{QCryptographicHash::Md5};
};

} // namespace kvupdate

#endif // KVUPDATEREQUEST_H
