#pragma once
// Poller of one library download. statusChanged(status, percent):
//   (1, 0..100) downloading; (2, 0) finished, the file is at the destination;
//   (0, -1) the library refused the download or there is no handle,
//   (0, -2) the progress could not be read, (0, -3) the download failed,
//   (0, -4) the received file did not match its MD5 (the library deleted it).
// A file larger than its limit (announced or sent) fails as (0, -3).
// Until the server first answers the library is looked at every 50 ms besides
// the regular poll, and only an answer is reported then: a refusal, the first
// bytes or the end show at once, not at the next regular poll.
// Every download ends with exactly one 0 or 2, which also ends the polling;
// no partial file is ever left at the destination. GUI thread only.

#include <QObject>
#include <QString>

#include "update/updatetypes.h"

class QTimer;

class CUpdateDownloader : public QObject
{
    Q_OBJECT
public:
    // `maxBytes`: the largest file this download may bring.
    CUpdateDownloader(const PackageInfo& package, const QString& destPath, int maxBytes);
    ~CUpdateDownloader() override;

    // Starts the download; a refusal is reported as (0, -1) from the event loop.
    bool StartDownload();
    void SetInterval(int pollMs);

signals:
    void statusChanged(int nDownloadStatus, int nPercent);

public slots:
    void onTimerDownloader();
    void onStatusChanged(int nDownloadStatus, int nPercent);

private:
    void onFirstAnswerPoll();
    void closeHandle();

    QTimer* m_timer;
    QTimer* m_firstAnswerTimer;   // runs while the library is still connecting
    QString m_destPath;
    PackageInfo m_package;
    int m_maxBytes;
    unsigned int m_handle = 0;
};
