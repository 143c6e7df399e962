#pragma once
// Reader of an optional ini file (font, boldness and language beside the program).
// A missing file is no error: every read then yields "" or 0 and the caller applies
// its own default.

#include <QString>

class QSettings;

class CConfig
{
public:
    CConfig();
    // Releases the settings object when Exit() was not called.
    virtual ~CConfig();

    CConfig(const CConfig&) = delete;
    CConfig& operator=(const CConfig&) = delete;

    // True when a readable file lies at path; the reader then reads from it. Otherwise
    // false and the reader stays as it was. A second Init replaces the first file.
    bool Init(QString path);
    // The value of "group/key" as text; "" without a file or without the key.
    QString ReadValueString(QString key);
    // The value of "group/key" as a decimal integer; 0 without a file, without the
    // key, or when the text is not a whole number.
    int ReadValueInt(QString key);
    // Forgets the file; does nothing when there is none.
    void Exit();

private:
    QSettings* m_pSettings = nullptr;
};
