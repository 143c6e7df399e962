#pragma once
// The main window's per-user settings: whether the user accepts prompt messages
// ("AcceptMessage" in the store "Kivorant"/"Lumivandrex Utility V3.0") and whether the
// program starts with the system (the entry in "kivorant"/"LumivandrexUtility" plus
// the autostart entry of AutoStartConfig).

#include <QSettings>
#include <QString>

class RegistrySettings : public QSettings
{
public:
    RegistrySettings();
    ~RegistrySettings() override;

    // Loads the auto-run state (from the system) and accept-messages (default true).
    void ReadSettings();
    // Stores accept-messages.
    void WriteSettings();
    // Switches start with the system; afterwards GetAutoRun() tells the state that
    // was really reached, which is the old one when the switch failed.
    void SetAutoRun(bool on);

    bool GetAutoRun() const { return m_bAutoRun; }
    bool GetAcceptMessage() const { return m_bAcceptMessage; }
    void SetAcceptMessage(bool accept) { m_bAcceptMessage = accept; }

    QString GetAppName() const { return m_strAppName; }
    QString GetAppFilePath() const { return m_strAppFilePath; }

private:
    QString m_strAppName;
    QString m_strAppFilePath;
    bool m_bAutoRun = false;
    bool m_bAcceptMessage = true;
};
