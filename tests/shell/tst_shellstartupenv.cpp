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

        // A child started detached, as QDesktopServices starts the browser, says what it got.
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("env"));
        const QString script = QStringLiteral("{ [ -n \"${%1+x}\" ] && printf 'set:%s' \"$%1\" || printf unset; } > '%2.tmp' "
                                              "&& mv '%2.tmp' '%2'").arg(QLatin1String(name), out);
        QVERIFY(QProcess::startDetached(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script}));
        QTRY_VERIFY(QFile::exists(out));
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), userSet ? "set:" + userValue : QByteArray("unset"));
    }
};

QTEST_GUILESS_MAIN(TstShellStartupEnv)
#include "tst_shellstartupenv.moc"
