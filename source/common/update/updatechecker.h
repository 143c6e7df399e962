#pragma once
// Pollers of the update library's checks. A checker starts a library check,
// polls its handle every 2000 ms and reports through statusChanged(int):
//   0 the check failed (also for an attempt that is being retried),
//   1 the check is running, 2 no newer version, 3 a newer version is offered
//     (package() holds it).
// A check is tried at most four times (the first attempt and three restarts,
// busy time-outs and failures counted together); the count starts again after a
// check that ended with 2 or 3. Everything runs on the GUI thread.

#include <QObject>
#include <QString>

#include "update/updatetypes.h"

class QTimer;

class CUpdateChecker : public QObject
{
    Q_OBJECT
public:
    CUpdateChecker();
    ~CUpdateChecker() override;

    // Ends any running check and starts a new one. A check the library refuses
    // reports 0 at once (never a silent, endless "checking").
    bool StartCheckForUpdate();
    void StopCheckForUpdate();
    bool StartRegularCheck();   // a check now and one every 24 hours
    void StopRegularCheck();    // ends the cycle only; a running check goes on

    const PackageInfo& package() const { return m_package; }
    bool isChecking() const;
    void SetIntervals(int pollMs, int regularMs);

    // 1 when a is newer than b, -1 when older, 0 when equal. Parts are compared
    // as numbers one by one; a missing part counts as 0 ("3.0" equals "3.0.0").
    static int compareVersion(const QString& a, const QString& b);

signals:
    void statusChanged(int status);

public slots:
    void onTimerChecker();
    void onTimerRegular();

protected:
    virtual unsigned int CreateCheckInstance() = 0;
    virtual int parsePackageInfo(unsigned int handle, PackageInfo& package) = 0;
    int parsePackageInfoBase(unsigned int handle, PackageInfo& package, const QString& versionKey,
                             const QString& currentVersion);

private:
    bool startAttempt();
    void endAttempt();

    PackageInfo m_package;
    int m_retryCount = 0;
    int m_busyTicks = 0;
    int m_busyLimit = 10;
    int m_chosen = -1;
    QTimer* m_checkTimer;
    QTimer* m_regularTimer;
    unsigned int m_handle = 0;
};

class CUpdateSoftwareChecker : public CUpdateChecker
{
    Q_OBJECT
public:
    // info: {product id, full program version}
    CUpdateSoftwareChecker(const QString& requestPath, const char* const info[2]);

protected:
    unsigned int CreateCheckInstance() override;
    int parsePackageInfo(unsigned int handle, PackageInfo& package) override;

private:
    QByteArray m_path;
    QString m_currentVersion;
    char m_productId[32] = {};
    char m_version[32] = {};   // major.minor, sent to the service
};

class CUpdateFirmwareChecker : public CUpdateChecker
{
    Q_OBJECT
public:
    explicit CUpdateFirmwareChecker(const QString& requestPath);
    // Model code, identity byte, hardware letter, firmware version "a.b.c".
    void SetFirmwareInfo(const char* const info[4]);

protected:
    unsigned int CreateCheckInstance() override;
    int parsePackageInfo(unsigned int handle, PackageInfo& package) override;

private:
    QByteArray m_path;
    QString m_currentVersion;
    char m_info[4][32] = {};   // the last one is the version's major.minor
};

// Copies text into a fixed field, cut to the field's size less one; null gives "".
void CopyBoundedText(char* field, int fieldSize, const char* text);
// Stops a poll timer and closes (and clears) the library handle it polls.
void StopPolling(QTimer* timer, unsigned int& handle);
// The first two dot-separated parts of a version ("3.0" of "3.0.4.30002"); "" with fewer.
QString MajorMinor(const QString& version);
