#include "common/WriteProtection.h"

#include <QDir>
#include <QFile>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Raises or drops the calling thread's effective CAP_DAC_OVERRIDE; a process
// without it (any ordinary user) is left as it is.
void setPermissionOverride(bool enabled)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capget, &header, data) != 0)
        return;
    const __u32 bit = 1U << CAP_DAC_OVERRIDE;
    data[0].effective = enabled ? data[0].effective | (data[0].permitted & bit) : data[0].effective & ~bit;
    syscall(SYS_capset, &header, data);
}

void setPermissions(const QString &folder, QFile::Permissions files, QFile::Permissions self)
{
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        QFile::setPermissions(folder + QLatin1Char('/') + name, files);
    QFile::setPermissions(folder, self);
}

} // namespace

WriteProtection::WriteProtection(const QString &folder)
    : m_folder(folder)
{
    setPermissions(m_folder, QFile::ReadOwner, QFile::ReadOwner | QFile::ExeOwner);
    setPermissionOverride(false);
}

WriteProtection::~WriteProtection()
{
    lift();
}

void WriteProtection::lift()
{
    if (!m_active)
        return;
    m_active = false;
    setPermissionOverride(true);
    setPermissions(
        m_folder, QFile::ReadOwner | QFile::WriteOwner, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
