#include "kvupdaterequest.h"

#include "platform/lazycurl.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cctype>
#include <cstdlib>
#include <unistd.h>

namespace kvupdate {

namespace {

std::atomic<int> g_logLevel{0};
constexpr size_t kMaxAnswer = 1 << 20;   // a check's answer is small; more is an error

// Cuts a text to the library's 1024 bytes without splitting a UTF-8 sequence.
std::string bounded(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.size() > KVU_TEXT_SIZE - 1) {
        int n = KVU_TEXT_SIZE - 1;
        while (n > 0 && (uchar(bytes[n]) & 0xC0) == 0x80)
            --n;
        bytes.truncate(n);
    }
    return bytes.toStdString();
}

} // namespace

void SetLogLevel(int level)
{
    g_logLevel.store(level);
}

void Log(int level, const char *format, ...)
{
    if (level > g_logLevel.load())
        return;
    va_list args;
    va_start(args, format);
    std::fprintf(stderr, "kvupdate: ");
    std::vfprintf(stderr, format, args);
    std::fprintf(stderr, "\n");
    va_end(args);
}

bool IsAllowedUrl(const std::string &url)
{
    const QUrl parsed(QString::fromStdString(url), QUrl::StrictMode);
    if (!parsed.isValid() || parsed.host().isEmpty())
        return false;
    const QString scheme = parsed.scheme().toLower();
    if (scheme == QLatin1String("https"))
        return true;
    const QString host = parsed.host().toLower();
    return scheme == QLatin1String("http")
           && (host == QLatin1String("127.0.0.1") || host == QLatin1String("localhost") || host == QLatin1String("::1"));
}

bool IsMd5Text(const std::string &text)
{
    if (text.size() != 32)
        return false;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

Request::~Request()
{
    DropFile();
}

bool Request::OpenTemporary(const std::string &dest)
{
    const size_t slash = dest.find_last_of('/');
    const std::string dir = slash == std::string::npos ? std::string(".") : dest.substr(0, slash);
    const std::string name = slash == std::string::npos ? dest : dest.substr(slash + 1);
    if (name.empty())
        return false;
    std::string pattern = dir + "/." + name + ".XXXXXX";
    const int fd = mkstemp(&pattern[0]);
    if (fd < 0) {
        Log(1, "cannot create a temporary file in %s", dir.c_str());
        return false;
    }
    m_file = fdopen(fd, "wb");
    if (!m_file) {
        close(fd);
        unlink(pattern.c_str());
        return false;
    }
    m_tempPath = pattern;
    m_destPath = dest;
    return true;
}

bool Request::Start(CURLM *multi)
{
    if (m_next >= urls.size())
        return false;
    easy = curl_easy_init();
    if (!easy) {
        status.store(KV_UPDATE_FAILED);
        DropFile();
        return false;
    }
    lazycurl::SetOption(easy, CURLOPT_URL, urls[m_next++].c_str());
    lazycurl::SetOption(easy, CURLOPT_NOSIGNAL, 1L);
    lazycurl::SetOption(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    // Redirects stay on https, so a redirect cannot leave the secure transport.
    lazycurl::SetOption(easy, CURLOPT_FOLLOWLOCATION, 1L);
    lazycurl::SetOption(easy, CURLOPT_REDIR_PROTOCOLS_STR, "https");
    lazycurl::SetOption(easy, CURLOPT_MAXREDIRS, 5L);
    lazycurl::SetOption(easy, CURLOPT_CONNECTTIMEOUT, long(dnsTimeout));
    // Every request has a connection of its own, closed when it ends: what a failed
    // or refused answer left on the wire (a body longer than announced, arriving
    // late) would otherwise be read as the next request's answer. The library sends
    // a few requests a day, so the handshake saved is worth nothing.
    lazycurl::SetOption(easy, CURLOPT_FORBID_REUSE, 1L);
    if (download) {
        // A download may be long: only a stalled one times out.
        lazycurl::SetOption(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
        lazycurl::SetOption(easy, CURLOPT_LOW_SPEED_TIME, long(requestTimeout));
        // Refuses a too large announced length before the body; OnData watches the body.
        if (maxBytes > 0)
            lazycurl::SetOption(easy, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(maxBytes));
        m_written = 0;
    } else {
        lazycurl::SetOption(easy, CURLOPT_TIMEOUT, long(dnsTimeout + requestTimeout));
        m_body.clear();
    }
    lazycurl::SetOption(easy, CURLOPT_WRITEFUNCTION, &Request::OnData);
    lazycurl::SetOption(easy, CURLOPT_WRITEDATA, this);
    lazycurl::SetOption(easy, CURLOPT_NOPROGRESS, 0L);
    lazycurl::SetOption(easy, CURLOPT_XFERINFOFUNCTION, &Request::OnProgress);
    lazycurl::SetOption(easy, CURLOPT_XFERINFODATA, this);
    curl_multi_add_handle(multi, easy);
    return true;
}

size_t Request::OnData(char *data, size_t size, size_t count, void *self)
{
    Request *r = static_cast<Request *>(self);
    const size_t n = size * count;
    r->status.store(KV_UPDATE_TRANSFERRING);
    if (!r->download) {
        if (r->m_body.size() + n > kMaxAnswer)
            return 0;
        r->m_body.append(data, n);
        return n;
    }
    // A server that sends more than its limit or its own announced length is
    // not to be trusted with the disk: cut it off.
    curl_off_t announced = -1;
    lazycurl::GetInfo(r->easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
    const long long after = r->m_written + static_cast<long long>(n);
    if ((r->maxBytes > 0 && after > r->maxBytes) || (announced >= 0 && after > announced)) {
        r->m_tooLarge = true;
        return 0;
    }
    if (!r->m_file || std::fwrite(data, 1, n, r->m_file) != n)
        return 0;
    r->m_written = after;
    r->m_hash.addData(data, int(n));
    return n;
}

int Request::OnProgress(void *self, curl_off_t dlTotal, curl_off_t dlNow, curl_off_t, curl_off_t)
{
    Request *r = static_cast<Request *>(self);
    r->total.store(dlTotal);
    r->received.store(dlNow);
    return r->cancelled.load() ? 1 : 0;
}

void Request::ReleaseEasy(CURLM *multi)
{
    if (!easy)
        return;
    if (multi)
        curl_multi_remove_handle(multi, easy);
    curl_easy_cleanup(easy);
    easy = nullptr;
}

bool Request::Finish(CURLM *multi, int code)
{
    long http = 0;
    lazycurl::GetInfo(easy, CURLINFO_RESPONSE_CODE, &http);
    ReleaseEasy(multi);
    const bool answered = code == CURLE_OK && http == 200;
    if (!answered)
        Log(1, "%s: curl %d, HTTP %ld", urls[m_next - 1].c_str(), code, http);
    if (download) {
        int failure = code == CURLE_WRITE_ERROR ? KV_UPDATE_FILE_ERROR : KV_UPDATE_FAILED;
        if (m_tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
            Log(1, "%s: larger than allowed", urls[m_next - 1].c_str());
            failure = KV_UPDATE_TOO_LARGE;
        }
        status.store(answered ? PlaceFile() : failure);
        if (!answered)
            DropFile();
        return false;
    }
    if (answered) {
        status.store(ParseAnswer());
        return false;
    }
    if (code == CURLE_OK && http == 404) {
        status.store(KV_UPDATE_NOT_FOUND);
        return false;
    }
    // Unreachable or failing server: the next one may answer.
    status.store(KV_UPDATE_CONNECTING);
    if (Start(multi))
        return true;
    status.store(KV_UPDATE_FAILED);
    return false;
}

// {"results": [[["FirmwareVersion", "3.1.0"], ["url", "..."], ...], ...]}
int Request::ParseAnswer()
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(m_body), &error);
    const QJsonValue list = doc.object().value(QStringLiteral("results"));
    if (error.error != QJsonParseError::NoError || !list.isArray())
        return KV_UPDATE_BAD_ANSWER;
    for (const QJsonValue &offer : list.toArray()) {
        if (!offer.isArray())
            return KV_UPDATE_BAD_ANSWER;
        std::vector<std::pair<std::string, std::string>> pairs;
        for (const QJsonValue &pair : offer.toArray()) {
            const QJsonArray kv = pair.toArray();
            if (kv.size() != 2 || !kv[0].isString() || !kv[1].isString())
                return KV_UPDATE_BAD_ANSWER;
            pairs.emplace_back(bounded(kv[0].toString()), bounded(kv[1].toString()));
        }
        results.push_back(std::move(pairs));
    }
    return results.empty() ? KV_UPDATE_NO_UPDATE : KV_UPDATE_SUCCESS;
}

int Request::PlaceFile()
{
    FILE *file = m_file;
    m_file = nullptr;
    if (std::fclose(file) != 0) {
        DropFile();
        return KV_UPDATE_FILE_ERROR;
    }
    if (m_hash.result().toHex() != QByteArray::fromStdString(md5).toLower()) {
        Log(1, "downloaded file does not match its MD5 %s", md5.c_str());
        DropFile();
        return KV_UPDATE_CHECK_FILE_MD5_ERROR;
    }
    if (std::rename(m_tempPath.c_str(), m_destPath.c_str()) != 0) {
        DropFile();
        return KV_UPDATE_FILE_ERROR;
    }
    m_tempPath.clear();
    return KV_UPDATE_SUCCESS;
}

void Request::DropFile()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_tempPath.empty()) {
        unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}

void Request::Abort(CURLM *multi)
{
    ReleaseEasy(multi);
    DropFile();
    const int s = status.load();
    if (s == KV_UPDATE_CONNECTING || s == KV_UPDATE_TRANSFERRING)
        status.store(KV_UPDATE_FAILED);
}

} // namespace kvupdate
