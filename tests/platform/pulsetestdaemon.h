#pragma once
// A private PulseAudio daemon for tests: no hardware, no D-Bus, its own socket. The
// test names the null sinks and sources it needs; the daemon is stopped by Stop() or
// the destructor. Results are checked with pactl, independently of the code under test.

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class PulseTestDaemon
{
public:
    ~PulseTestDaemon() { Stop(); }

    // `modules`: load-module lines. Waits until `sinks` sinks exist. Points this process's
    // sound clients (PULSE_SERVER, HOME) at the daemon.
    bool Start(const QStringList& modules, int sinks)
    {
        const QString base = m_dir.path();
        QDir().mkpath(base + "/home");
        QDir().mkpath(base + "/run");
        QFile config(base + "/test.pa");
        config.open(QIODevice::WriteOnly);
        config.write(QStringLiteral("load-module module-native-protocol-unix auth-anonymous=1 socket=%1/native\n")
                         .arg(base).toUtf8());
        config.write(QStringLiteral("load-module module-cli-protocol-unix socket=%1/cli\n").arg(base).toUtf8());
        config.write(modules.join('\n').toUtf8() + "\n");
        config.close();
        QProcessEnvironment env;
        env.insert("PATH", "/usr/bin:/bin");
        env.insert("HOME", base + "/home");
        env.insert("XDG_RUNTIME_DIR", base + "/run");
        env.insert("PULSE_RUNTIME_PATH", base + "/run/pulse");
        m_daemon.setProcessEnvironment(env);
        m_daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_daemon.start("pulseaudio", {"-n", "-F", base + "/test.pa", "--daemonize=no", "--exit-idle-time=-1",
                                      "--use-pid-file=no", "--realtime=no", "--high-priority=no",
                                      "--log-target=stderr", "--log-level=error"});
        if (!m_daemon.waitForStarted(5000))
            return false;
        qputenv("PULSE_SERVER", Server().toUtf8());
        qputenv("HOME", (base + "/home").toUtf8());
        return QTest::qWaitFor([&] { return List("sinks").size() == sinks; }, 5000);
    }

    void Stop()
    {
        m_daemon.terminate();   // QProcess kills it on destruction if it lingers
        m_daemon.waitForFinished(3000);
    }

    QString Server() const { return "unix:" + m_dir.path() + "/native"; }
    qint64 Pid() const { return m_daemon.processId(); }

    // `pactl list <what>` ("sinks" or "sources") as JSON objects.
    QJsonArray List(const char* what) const
    {
        QByteArray out;
        Pactl({"-f", "json", "list", what}, &out);
        return QJsonDocument::fromJson(out).array();
    }

    QJsonObject Find(const char* what, const QString& name) const
    {
        for (const QJsonValue& v : List(what))
            if (v.toObject().value("name").toString() == name)
                return v.toObject();
        return {};
    }

    // Per-channel volumes (0..65536) and mute of one sink or source.
    QList<int> Volumes(const char* what, const QString& name) const
    {
        QList<int> out;
        const QJsonObject volume = Find(what, name).value("volume").toObject();
        for (const QString& channel : volume.keys())
            out << volume.value(channel).toObject().value("value").toInt();
        return out;
    }
    bool Muted(const char* what, const QString& name) const { return Find(what, name).value("mute").toBool(); }

    bool Pactl(const QStringList& args, QByteArray* out = nullptr) const
    {
        QProcess pactl;
        pactl.start("timeout", QStringList{"5", "pactl", "-s", Server()} + args);
        const bool ok = pactl.waitForFinished(8000) && pactl.exitCode() == 0;
        if (out)
            *out = pactl.readAllStandardOutput();
        return ok;
    }

    // Sends one command of the daemon's own command line (for what pactl cannot do).
    bool Cli(const QString& command) const
    {
        QLocalSocket cli;
        cli.connectToServer(m_dir.path() + "/cli");
        if (!cli.waitForConnected(3000))
            return false;
        // Silent on success; the caller checks the effect ("exit" would end the daemon).
        cli.write(command.toUtf8() + "\n");
        return cli.waitForBytesWritten(3000);
    }

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
};
