#pragma once
// Starts and stops the loopback update server (updateserver.py) for a test, and
// writes what it serves: the offers of a check, files, and the fault knobs.

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

struct UpdateTestServer
{
    bool start()
    {
        QDir(root.path()).mkdir(QStringLiteral("files"));
        process.start(QStringLiteral("python3"), {QStringLiteral(LV_UPDATE_SERVER_SCRIPT), root.path()});
        if (!process.waitForReadyRead(10000))
            return false;
        port = process.readLine().trimmed().toInt();
        setOffers({});
        return port > 0;
    }
    ~UpdateTestServer()
    {
        process.kill();
        process.waitForFinished();
    }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(port); }
    // An update configuration at `path` whose server is this one, with `listKey`
    // ("FirmwareURL" or "SoftwareURL") naming `list`; returns `path`.
    QString writeConfig(const QString& path, const QString& listKey, const QString& list) const
    {
        QSettings ini(path, QSettings::IniFormat);
        ini.setValue(QStringLiteral("UPGRADE/ServerURL"), base());
        ini.setValue(QStringLiteral("UPGRADE/ServerURLUpdateTime"), QStringLiteral("2017-06-15 09:30:00"));
        ini.setValue(QStringLiteral("UPGRADE/") + listKey, list);
        ini.sync();
        return path;
    }
    void write(const QString& name, const QByteArray& bytes)
    {
        QFile file(root.filePath(name));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
    }
    void setKnobs(const QJsonObject& knobs) { write(QStringLiteral("knobs.json"), QJsonDocument(knobs).toJson()); }
    // Each offer: {version, url, md5, changelog}; the version key is `key`.
    void setOffers(const QList<QStringList>& offers, const QString& key = QStringLiteral("FirmwareVersion"))
    {
        QJsonArray results;
        for (const QStringList& o : offers)
            results.append(QJsonArray{QJsonArray{key, o.value(0)}, QJsonArray{QStringLiteral("url"), o.value(1)},
                                      QJsonArray{QStringLiteral("MD5"), o.value(2)},
                                      QJsonArray{QStringLiteral("ChangeLog"), o.value(3)}});
        write(QStringLiteral("offers.json"), QJsonDocument(QJsonObject{{QStringLiteral("results"), results}}).toJson());
    }
    // Serves `bytes` as /files/name; returns {url, md5}.
    QStringList addFile(const QString& name, const QByteArray& bytes)
    {
        write(QStringLiteral("files/") + name, bytes);
        return {base() + QStringLiteral("/files/") + name,
                QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex())};
    }
    QStringList requests()
    {
        QFile log(root.filePath(QStringLiteral("requests.log")));
        log.open(QIODevice::ReadOnly);
        return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QTemporaryDir root;
    QProcess process;
    int port = 0;
};
