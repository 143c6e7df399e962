#pragma once
// The processes the launcher (lv_emulated_launch) starts: the program it serves and the
// program's private session bus. For suites and benchmarks that watch the program itself.

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace lvemu {

// The launcher's child that runs its own image: the program, or (`bus`) its private
// dbus-daemon; -1 while there is none yet (a child still on the launcher's image is neither).
inline qint64 launcherChild(qint64 launcher, bool bus = false)
{
    const QString launcherImage = QFileInfo(QStringLiteral("/proc/%1/exe").arg(launcher)).symLinkTarget();
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(launcher));
    if (!children.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& child : children.readAll().trimmed().split(' ')) {
        const QString proc = QStringLiteral("/proc/%1/").arg(child.toLongLong());
        QFile comm(proc + QStringLiteral("comm"));
        if (QFileInfo(proc + QStringLiteral("exe")).symLinkTarget() != launcherImage
            && comm.open(QIODevice::ReadOnly) && (comm.readAll() == "dbus-daemon\n") == bus)
            return child.toLongLong();
    }
    return -1;
}

} // namespace lvemu
