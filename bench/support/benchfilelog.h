#pragma once
// The program's log set-up (file sink only, levels 0 to 5) in a temporary folder, and the
// number of lines it holds, for benchmarks that tell how much the log grows.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "logging/lvlogger.h"

namespace lvbench {

struct FileLog {
    FileLog()
    {
        using namespace lvlogger;
        LvLogger* logger = LvLogger::createInstance(nullptr);
        logger->setLogFormat_file(QStringLiteral("<TS> [<LL>] <TEXT> [<FUNC>@<FILE>:<LINE>]"),
                                  QStringLiteral("<TS> [<LL>] <TEXT>"));
        SetLogLevelDebug();
        logger->setLogLevels_file(ENABLE_LOG_LEVELS);
        logger->setLogFileName(dir.filePath(QStringLiteral("LumivandrexUtility.log")), 10485760, 10);
    }
    ~FileLog() { delete lvlogger::LvLogger::getInstance(); }

    // Lines in the log file and its rolled copies, once records queued by other threads arrived.
    long Lines()
    {
        QCoreApplication::processEvents();
        long lines = 0;
        for (const QFileInfo& info : QDir(dir.path()).entryInfoList(QDir::Files)) {
            QFile file(info.filePath());
            if (file.open(QIODevice::ReadOnly))
                lines += file.readAll().count('\n');
        }
        return lines;
    }

    QTemporaryDir dir;
};

} // namespace lvbench
