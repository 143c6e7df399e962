#include "cconfig.h"

#include <QFileInfo>
#include <QSettings>

CConfig::CConfig() = default;

CConfig::~CConfig()
{
    Exit();
}

bool CConfig::Init(QString path)
{
    // A folder or an unreadable file at the path is as good as no file.
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !info.isReadable())
        return false;
    Exit();
    m_pSettings = new QSettings(path, QSettings::IniFormat);
    m_pSettings->setIniCodec("UTF-8");
    return true;
}

QString CConfig::ReadValueString(QString key)
{
    if (!m_pSettings)
        return QString(QLatin1String(""));
    // A value with an unquoted comma reads as a list; join it back to the written text.
    const QVariant value = m_pSettings->value(key);
    if (value.type() == QVariant::StringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.isValid() ? value.toString() : QString(QLatin1String(""));
}

int CConfig::ReadValueInt(QString key)
{
    if (!m_pSettings)
        return 0;
    bool ok = false;
    const int number = m_pSettings->value(key).toString().trimmed().toInt(&ok, 10);
    return ok ? number : 0;
}

void CConfig::Exit()
{
    delete m_pSettings;
    m_pSettings = nullptr;
}
