#include "registrysettings.h"

#include "autostartconfig.h"
#include "platform/userstores.h"

#include <QCoreApplication>
#include <QtDebug>

namespace {

const QString kOrganization = QStringLiteral("Kivorant");
const QString kApplication = QStringLiteral("Lumivandrex Utility V3.0");
const QString kAutoRunOrganization = QStringLiteral("kivorant");
const QString kAutoRunApplication = QStringLiteral("LumivandrexUtility");
const QString kOrganizationDomain = QStringLiteral("kivorant.com");
const QString kAcceptMessageKey = QStringLiteral("AcceptMessage");

} // namespace

RegistrySettings::RegistrySettings()
    : QSettings(lvplatform::userStoreFilePath(kOrganization, kApplication), QSettings::IniFormat)
    , m_strAppName(QCoreApplication::applicationName())
    , m_strAppFilePath(QCoreApplication::applicationFilePath())
{
    setIniCodec("UTF-8");
}

RegistrySettings::~RegistrySettings() = default;

void RegistrySettings::ReadSettings()
{
    QCoreApplication::setOrganizationDomain(kOrganizationDomain);
    m_bAutoRun = AutoStartConfig::isAutoStart();
    m_bAcceptMessage = value(kAcceptMessageKey, true).toBool();
}

void RegistrySettings::WriteSettings()
{
    setValue(kAcceptMessageKey, m_bAcceptMessage);
    sync();
    if (status() != QSettings::NoError)
        qWarning() << "cannot store the per-user settings in" << fileName();
}

void RegistrySettings::SetAutoRun(bool on)
{
    QCoreApplication::setOrganizationDomain(kOrganizationDomain);
    AutoStartConfig::setAutoStart(on);
    // The flag and the stored entry follow what the system really has, so a failed
    // switch is never shown or remembered as done.
    m_bAutoRun = AutoStartConfig::isAutoStart();

    const auto store = lvplatform::openUserStore(kAutoRunOrganization, kAutoRunApplication);
    if (m_bAutoRun) {
        store->setValue(m_strAppName, m_strAppFilePath + QStringLiteral(" ")
                                          + QString::fromLatin1(AutoStartConfig::kMinimizedSwitch));
    } else {
        store->remove(m_strAppName);
    }
    store->sync();
}
