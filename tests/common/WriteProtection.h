#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace WriteProtectionDetail {

// Raises or drops the calling thread's effective CAP_DAC_OVERRIDE; a process
// without it (any ordinary user) is left as it is.
inline void setPermissionOverride(bool enabled)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capget, &header, data) != 0)
        return;
    const __u32 bit = 1U << CAP_DAC_OVERRIDE;
    data[0].effective = enabled ? data[0].effective | (data[0].permitted & bit) : data[0].effective & ~bit;
    syscall(SYS_capset, &header, data);
}

inline void setPermissions(const QString &folder, QFile::Permissions files, QFile::Permissions self)
{
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        QFile::setPermissions(folder + QLatin1Char('/') + name, files);
    QFile::setPermissions(folder, self);
}

} // namespace WriteProtectionDetail

// Write-protects a folder and every file in it, as a user would with chmod:
// files 0400, the folder 0500, lifted again (0600 and 0700) on lift() or when
// the protection goes. Files added meanwhile are covered when it is lifted.
//
// Root writes through any permission, so the calling thread also gives up the
// capability to override file permissions while the protection holds (threads
// it starts meanwhile inherit that; threads already running keep theirs).
class WriteProtection {
public:
    explicit WriteProtection(const QString &folder)
        : m_folder(folder)
    {
        WriteProtectionDetail::setPermissions(m_folder, QFile::ReadOwner, QFile::ReadOwner | QFile::ExeOwner);
        WriteProtectionDetail::setPermissionOverride(false);
    }
    ~WriteProtection() { lift(); }
    WriteProtection(const WriteProtection &) = delete;
    WriteProtection &operator=(const WriteProtection &) = delete;

    void lift()
    {
        if (!m_active)
            return;
        m_active = false;
        WriteProtectionDetail::setPermissionOverride(true);
        WriteProtectionDetail::setPermissions(
            m_folder, QFile::ReadOwner | QFile::WriteOwner, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private:
    QString m_folder;
    bool m_active = true;
};
