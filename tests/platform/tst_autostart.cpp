// XDG autostart entries: quoting of the Exec line (checked by reading it back the way
// a session manager does, and by desktop-file-validate), on/off state, failures.
// HOME and XDG_CONFIG_HOME point into a temporary folder: nothing touches the real home.

#include "platform/autostart.h"
#include "platform/userstores.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Reads an Exec value back: key-file unescaping first, then the quoting rules.
QStringList parseExecValue(const QString& raw)
{
    QString value;
    for (int i = 0; i < raw.size(); ++i) {
        if (raw.at(i) == QLatin1Char('\\') && i + 1 < raw.size()) {
            const QChar next = raw.at(++i);
            if (next == QLatin1Char('s')) value += QLatin1Char(' ');
            else if (next == QLatin1Char('n')) value += QLatin1Char('\n');
            else if (next == QLatin1Char('t')) value += QLatin1Char('\t');
            else if (next == QLatin1Char('r')) value += QLatin1Char('\r');
            else if (next == QLatin1Char('\\')) value += QLatin1Char('\\');
            else { value += QLatin1Char('\\'); value += next; }
        } else {
            value += raw.at(i);
        }
    }

    QStringList args;
    QString current;
    bool inQuotes = false;
    bool started = false;
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (inQuotes) {
            if (c == QLatin1Char('\\') && i + 1 < value.size()
                && QStringLiteral("\"`$\\").contains(value.at(i + 1))) {
                current += value.at(++i);
            } else if (c == QLatin1Char('"')) {
                inQuotes = false;
            } else {
                current += c;
            }
        } else if (c == QLatin1Char(' ')) {
            if (started)
                args << current;
            current.clear();
            started = false;
        } else if (c == QLatin1Char('"')) {
            inQuotes = true;
            started = true;
        } else {
            current += c;
            started = true;
        }
    }
    if (started)
        args << current;
    for (QString& arg : args)
        arg.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return args;
}

QString keyOf(const QString& path, const QString& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.startsWith(key + QLatin1Char('=')))
            return line.mid(key.size() + 1);
    }
    return QString();
}

void appendLine(const QString& path, const QByteArray& line)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::Append));
    file.write(line + '\n');
}

} // namespace

class TestAutostart : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void quotingKeepsArgumentsIntact_data();
    void quotingKeepsArgumentsIntact();
    void plainPathIsNotQuoted();
    void validatorCatchesBrokenEntries();
    void onAndOff();
    void hiddenOrDisabledEntryIsOff();
    void otherGroupsDoNotCount();
    void controlCharactersAreRefused();
    void unwritableFolderFails();

private:
    QString validate(const QString& path);
    QTemporaryDir m_home{QDir::tempPath() + QStringLiteral("/lvauto-XXXXXX")};
    QString m_id;
    int m_round = 0;
};

void TestAutostart::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
}

void TestAutostart::init()
{
    // A fresh configuration folder per test function.
    const QString config = m_home.filePath(QStringLiteral("config%1").arg(++m_round));
    QVERIFY(QDir().mkpath(config));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    m_id = QStringLiteral("com.kivorant.LumivandrexUtility");
    QCOMPARE(lvplatform::autostartFilePath(m_id), config + QStringLiteral("/autostart/") + m_id + QStringLiteral(".desktop"));
}

// desktop-file-validate's complaints, or "" when it accepts the file (or is missing).
QString TestAutostart::validate(const QString& path)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (tool.isEmpty()) {
        qWarning("desktop-file-validate is not installed; entries are checked by the parser only");
        return QString();
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool, {path});
    if (!process.waitForFinished(10000))
        return QStringLiteral("desktop-file-validate did not finish");
    const QString output = QString::fromUtf8(process.readAll());
    if (process.exitCode() != 0 || output.contains(QStringLiteral("error"), Qt::CaseInsensitive))
        return output.isEmpty() ? QStringLiteral("exit code %1").arg(process.exitCode()) : output;
    return QString();
}

void TestAutostart::quotingKeepsArgumentsIntact_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("plain") << QStringLiteral("/usr/bin/LumivandrexUtility");
    QTest::newRow("spaces") << QStringLiteral("/opt/My Apps/Lumivandrex Utility");
    QTest::newRow("shell characters")
        << QStringLiteral("/home/u/it's \"odd\" $HOME `x` back\\slash/a;b&c|d(e)*?#~<x>/LumivandrexUtility");
    QTest::newRow("percent") << QStringLiteral("/home/u/100% sure/%f/LumivandrexUtility");
    QTest::newRow("double backslash") << QStringLiteral("/srv/a\\\\b/LumivandrexUtility");
    QTest::newRow("unicode") << QStringLiteral("/home/jürgen/Программы/LumivandrexUtility");
    QTest::newRow("leading space dir") << QStringLiteral("/ lead/LumivandrexUtility");
}

void TestAutostart::quotingKeepsArgumentsIntact()
{
    QFETCH(QString, program);
    QVERIFY(lvplatform::writeAutostartEntry(m_id, QStringLiteral("Lumivandrex Utility"), program,
                                            {QStringLiteral("/minimized")}));
    const QString path = lvplatform::autostartFilePath(m_id);
    QCOMPARE(parseExecValue(keyOf(path, QStringLiteral("Exec"))),
             QStringList({program, QStringLiteral("/minimized")}));
    const QString complaints = validate(path);
    QVERIFY2(complaints.isEmpty(), qPrintable(complaints));
    QVERIFY(lvplatform::isAutostartEntryActive(m_id));
}

void TestAutostart::plainPathIsNotQuoted()
{
    QCOMPARE(lvplatform::execLine(QStringLiteral("/usr/bin/LumivandrexUtility"), {QStringLiteral("/minimized")}),
             QStringLiteral("/usr/bin/LumivandrexUtility /minimized"));
    QCOMPARE(lvplatform::quoteExecArgument(QStringLiteral("/a b/$x")), QStringLiteral("\"/a b/\\$x\""));
    QCOMPARE(lvplatform::quoteExecArgument(QString()), QStringLiteral("\"\""));
    QCOMPARE(lvplatform::escapeDesktopValue(QStringLiteral(" a\\b\n")), QStringLiteral("\\sa\\\\b\\n"));
}

void TestAutostart::validatorCatchesBrokenEntries()
{
    // Proves the validation above really runs and would reject an unquoted '$'.
    if (QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty())
        QSKIP("desktop-file-validate is not installed");
    QVERIFY(QDir().mkpath(lvplatform::autostartDirectory()));
    const QString path = lvplatform::autostartFilePath(QStringLiteral("broken"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Desktop Entry]\nType=Application\nName=X\nExec=/a b$c /minimized\n");
    file.close();
    QVERIFY(!validate(path).isEmpty());
}

void TestAutostart::onAndOff()
{
    QVERIFY(!lvplatform::isAutostartEntryActive(m_id));
    QVERIFY(lvplatform::removeAutostartEntry(m_id)); // nothing to remove is fine

    QVERIFY(lvplatform::writeAutostartEntry(m_id, QStringLiteral("Lumivandrex Utility"),
                                            QStringLiteral("/usr/bin/LumivandrexUtility"),
                                            {QStringLiteral("/minimized")}));
    const QString path = lvplatform::autostartFilePath(m_id);
    QVERIFY(QFileInfo(path).isFile());
    QCOMPARE(keyOf(path, QStringLiteral("Type")), QStringLiteral("Application"));
    QCOMPARE(keyOf(path, QStringLiteral("Name")), QStringLiteral("Lumivandrex Utility"));
    QVERIFY(lvplatform::isAutostartEntryActive(m_id));

    // Writing again replaces the entry instead of adding to it.
    QVERIFY(lvplatform::writeAutostartEntry(m_id, QStringLiteral("Lumivandrex Utility"),
                                            QStringLiteral("/opt/new/LumivandrexUtility"),
                                            {QStringLiteral("/minimized")}));
    QCOMPARE(keyOf(path, QStringLiteral("Exec")), QStringLiteral("/opt/new/LumivandrexUtility /minimized"));

    QVERIFY(lvplatform::removeAutostartEntry(m_id));
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(!lvplatform::isAutostartEntryActive(m_id));
    QVERIFY(QDir(lvplatform::autostartDirectory()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void TestAutostart::hiddenOrDisabledEntryIsOff()
{
    const QString path = lvplatform::autostartFilePath(m_id);
    QVERIFY(lvplatform::writeAutostartEntry(m_id, QString(), QStringLiteral("/usr/bin/x"), {}));
    appendLine(path, "Hidden=true");
    QVERIFY(!lvplatform::isAutostartEntryActive(m_id));
    QVERIFY(validate(path).isEmpty());

    QVERIFY(lvplatform::writeAutostartEntry(m_id, QString(), QStringLiteral("/usr/bin/x"), {}));
    appendLine(path, "Hidden=false");
    QVERIFY(lvplatform::isAutostartEntryActive(m_id));

    QVERIFY(lvplatform::writeAutostartEntry(m_id, QString(), QStringLiteral("/usr/bin/x"), {}));
    appendLine(path, "X-GNOME-Autostart-enabled=false");
    QVERIFY(!lvplatform::isAutostartEntryActive(m_id));
}

void TestAutostart::otherGroupsDoNotCount()
{
    const QString path = lvplatform::autostartFilePath(m_id);
    QVERIFY(lvplatform::writeAutostartEntry(m_id, QString(), QStringLiteral("/usr/bin/x"), {}));
    appendLine(path, "[Desktop Action Other]\nName=Other\nExec=/bin/true\nHidden=true");
    QVERIFY(lvplatform::isAutostartEntryActive(m_id));

    // A file without the main group is no entry at all.
    QFile broken(path);
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("Exec=/usr/bin/x\n");
    broken.close();
    QVERIFY(!lvplatform::isAutostartEntryActive(m_id));
}

void TestAutostart::controlCharactersAreRefused()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot be written to an Exec line")));
    QVERIFY(!lvplatform::writeAutostartEntry(m_id, QString(), QStringLiteral("/tmp/new\nline/x"), {}));
    QVERIFY(!QFileInfo::exists(lvplatform::autostartFilePath(m_id)));
}

void TestAutostart::unwritableFolderFails()
{
    // A plain file where the autostart folder should be.
    QFile blocker(lvplatform::autostartDirectory());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("autostart: cannot create")));
    QVERIFY(!lvplatform::writeAutostartEntry(m_id, QString(), QStringLiteral("/usr/bin/x"), {}));
    QVERIFY(!lvplatform::isAutostartEntryActive(m_id));
}

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
