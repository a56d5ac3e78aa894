#pragma once

#include <QString>

// Write-protects a folder and every file in it, as a user would with chmod:
// files 0400, the folder 0500, lifted again (0600 and 0700) on lift() or when
// the protection goes. Files added meanwhile are covered when it is lifted.
//
// Root writes through any permission, so the calling thread also gives up the
// capability to override file permissions while the protection holds (threads
// it starts meanwhile inherit that; threads already running keep theirs).
class WriteProtection {
public:
    explicit WriteProtection(const QString &folder);
    ~WriteProtection();
    WriteProtection(const WriteProtection &) = delete;
    WriteProtection &operator=(const WriteProtection &) = delete;

    void lift();

private:
    QString m_folder;
    bool m_active = true;
};
