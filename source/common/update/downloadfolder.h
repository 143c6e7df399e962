#pragma once
// One of the per-user download folders (`downloads` under the cache folder, and
// its `firmware` subfolder), created when missing and opened level by level
// without following a link. A link (to a folder or a file), a file or a folder of
// another user where one of them should be is refused and logged; nothing in or
// through it is touched then, not even its mode.

#include <QString>

class CDownloadFolder
{
public:
    enum Kind { Downloads, Firmware };

    explicit CDownloadFolder(Kind kind);
    ~CDownloadFolder();
    CDownloadFolder(const CDownloadFolder&) = delete;
    CDownloadFolder& operator=(const CDownloadFolder&) = delete;

    // The folder passed the checks and is held open, owner-only.
    bool isOpen() const { return m_fd >= 0; }
    // Where the folder of this kind is, whether it passes the checks or not.
    static QString pathOf(Kind kind);
    QString path() const { return m_path; }

    // Removes the update library's partial files (regular files named
    // ".<name>.XXXXXX") through the open folder, never through a link or a path
    // that may have been swapped since the checks.
    void removeStalePartialFiles() const;

private:
    int m_fd = -1;
    QString m_path;
};
