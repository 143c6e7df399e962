// The graphics integration the program picks is its own: processes it starts
// (the browser for "Help", started detached as QDesktopServices does) see the
// environment the user had.

#include "shell/startup.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TstShellStartupEnv : public QObject
{
    Q_OBJECT

private slots:
    void childSeesUserEnvironment_data()
    {
        QTest::addColumn<bool>("userSet");
        QTest::addColumn<QByteArray>("userValue");
        QTest::newRow("not set") << false << QByteArray();
        QTest::newRow("xcb_egl") << true << QByteArray("xcb_egl");
        QTest::newRow("set empty") << true << QByteArray();
    }
    void childSeesUserEnvironment()
    {
        QFETCH(bool, userSet);
        QFETCH(QByteArray, userValue);
        const char* name = "QT_XCB_GL_INTEGRATION";
        if (userSet)
            qputenv(name, userValue);
        else
            qunsetenv(name);
        {
            const CRasterOnlyScope scope;
            QVERIFY(qEnvironmentVariableIsSet(name));
            QCOMPARE(qgetenv(name), userSet ? userValue : QByteArray("none"));
        }

        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("env"));
        QVERIFY(QProcess::startDetached(QStringLiteral("/bin/sh"),
                                        {QStringLiteral("-c"), QStringLiteral("env > '%1.tmp' && mv '%1.tmp' '%1'").arg(out)}));
        QTRY_VERIFY(QFile::exists(out));
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray prefix = QByteArray(name) + '=';
        QList<QByteArray> seen;
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (line.startsWith(prefix))
                seen << line.mid(prefix.size());
        }
        QCOMPARE(seen, userSet ? QList<QByteArray>{userValue} : QList<QByteArray>());
    }
};

QTEST_GUILESS_MAIN(TstShellStartupEnv)
#include "tst_shellstartupenv.moc"
