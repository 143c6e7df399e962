#ifndef KVUPDATE_H
#define KVUPDATE_H
/*
 * The update library: asynchronous checks and downloads against our update
 * service over HTTPS (plain HTTP only to the loopback address). Every request
 * returns a handle at once and runs on the library's own thread; the caller
 * polls KVU_GetStatus and releases the handle with KVU_Close. No call waits for
 * the network. The protocol is described in the README ("Update service protocol").
 *
 * Handles are never 0; 0 means "refused". A live handle never reports status 0.
 */

#ifdef __cplusplus
extern "C" {
#endif

typedef unsigned int KVU_HANDLE;

/* _KV_UPDATE_STATUS values returned by KVU_GetStatus. */
enum {
    KV_UPDATE_CONNECTING = 0x10001,       /* busy: looking up, connecting */
    KV_UPDATE_TRANSFERRING = 0x20001,     /* busy: receiving */
    KV_UPDATE_SUCCESS = 0x30001,          /* check answered / file in place */
    KV_UPDATE_FAILED = 0x30002,           /* network or HTTP failure */
    KV_UPDATE_BAD_ANSWER = 0x30003,       /* the check's answer is not valid JSON */
    KV_UPDATE_FILE_ERROR = 0x30004,       /* the download could not be written */
    KV_UPDATE_INVALID_HANDLE = 0x30005,   /* unknown or closed handle */
    KV_UPDATE_TOO_LARGE = 0x30006,        /* the file is larger than its limit or announced length */
    KV_UPDATE_NO_UPDATE = 0x30009,        /* the service offers nothing */
    KV_UPDATE_CHECK_FILE_MD5_ERROR = 0x3000C, /* downloaded, digest differs: file deleted */
    KV_UPDATE_NOT_FOUND = 0x3000D         /* the service knows no such product */
};

enum { KVU_TEXT_SIZE = 1025 };   /* 1024 characters and a NUL */

/* One key/value pair of a check result. */
typedef struct KVU_RESULT_PAIR {
    char key[KVU_TEXT_SIZE];
    char value[KVU_TEXT_SIZE];
} KVU_RESULT_PAIR;

/* 0 on success. Counted: each KVU_Init wants one KVU_UnInit; extra KVU_UnInit
 * calls are harmless. The last KVU_UnInit cancels every request, deletes their
 * partial files and stops the library's thread. libcurl is loaded and started by
 * that thread when the first request comes; if it cannot start, the requests
 * queued fail and later ones are refused. */
int KVU_Init(void);
void KVU_UnInit(void);
/* 0 none .. 5 debug; messages go to stderr. */
int KVU_SetLogLevel(int level);
/* Seconds; values below 1 are refused (non-zero result). */
int KVU_SetTimeout(int dnsTimeout, int requestTimeout);
/* A JSON array of base addresses ("https://host[:port][/prefix]"), tried in
 * order. Empty text clears the list. Non-zero when the text is not such an array. */
int KVU_SetUpdateServer(const char *serverListJson);

/* info: {product id, version "major.minor"}. */
KVU_HANDLE KVU_CheckSoftware(const char *path, const char *const *info, int reserved1, int reserved2);
/* info: {model code, identity byte, hardware letter, firmware "major.minor"}. */
KVU_HANDLE KVU_CheckFirmware(const char *path, const char *const *info, int reserved1, int reserved2);

int KVU_GetStatus(KVU_HANDLE handle);
/* Results of a finished check (0 otherwise). */
int KVU_GetCheckResultCount(KVU_HANDLE handle);
/* With pairs == NULL sets *count to the number of pairs of result `index`;
 * otherwise fills at most *count pairs and sets *count to the number filled.
 * 0 on success. */
int KVU_GetCheckResult(KVU_HANDLE handle, int index, KVU_RESULT_PAIR *pairs, int *count);

/* Downloads url to destPath through a temporary file in the same folder; the
 * file is renamed into place only when its MD5 (hexadecimal, any case) matches.
 * overwrite must be 1. Refused without a 32-digit MD5. maxBytes above 0 limits
 * the file: a larger announced length fails at once, a body that grows past the
 * limit or past its announced length is cut off; both end as KV_UPDATE_TOO_LARGE. */
KVU_HANDLE KVU_Download(const char *url, const char *destPath, int overwrite, const char *md5,
                        int maxBytes, int reserved);
/* Byte counts so far (total 0 while unknown); 0 on success. */
int KVU_GetDownloadResult(KVU_HANDLE handle, int *total, int *received);

/* Ends the request (a download's partial file is deleted) and frees the handle. */
void KVU_Close(KVU_HANDLE handle);

#ifdef __cplusplus
}
#endif

#endif /* KVUPDATE_H */
