// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/DeviceProblems.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <QLockFile>
#include <QSerialPortInfo>
#include <QStandardPaths>
#include <QStringList>
#include <cerrno>

namespace {

QString permissionText(const QString& path) {
    struct stat info {};
    const group* owner =
        ::stat(QFile::encodeName(path).constData(), &info) == 0 ? ::getgrgid(info.st_gid) : nullptr;
    if (!owner) {
        return QStringLiteral("Permission denied on the serial device %1.").arg(path);
    }
    const QString name = QString::fromLocal8Bit(owner->gr_name);
    return QStringLiteral(
               "Permission denied on the serial device %1. It belongs to the group \"%2\": "
               "add yourself to it with\n    sudo usermod -aG %2 $USER\nthen log out and in "
               "again.")
        .arg(path, name);
}

// The lock files serial programs leave ("LCK..ttyUSB0"), where Qt and the UUCP convention keep
// them; a lock whose process is gone is stale and does not count.
QString lockHolder(const QString& path) {
    QString name = path;
    if (name.startsWith(QLatin1String("/dev/"))) {
        name = name.mid(5);
    }
    name.replace(u'/', u'_');
    const QStringList folders = {QStringLiteral("/var/lock"),
                                 QStringLiteral("/etc/locks"),
                                 QStringLiteral("/var/spool/locks"),
                                 QStringLiteral("/var/spool/uucp"),
                                 QStringLiteral("/tmp"),
                                 QStringLiteral("/var/tmp"),
                                 QStringLiteral("/var/lock/lockdev"),
                                 QStringLiteral("/run/lock"),
                                 QStandardPaths::writableLocation(QStandardPaths::TempLocation)};
    for (const QString& folder : folders) {
        const QString file = folder + QStringLiteral("/LCK..") + name;
        if (!QFileInfo::exists(file)) {
            continue;
        }
        QLockFile lock(file);
        qint64 pid = 0;
        QString host;
        QString program;
        if (lock.getLockInfo(&pid, &host, &program) && pid > 0 &&
            (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM)) {
            return program.isEmpty() ? QStringLiteral("process %1").arg(pid)
                                     : QStringLiteral("%1, process %2").arg(program).arg(pid);
        }
    }
    return {};
}

QString busyText(const QString& path, const QString& holder) {
    return QStringLiteral(
               "The serial device %1 is busy: another program holds it%2. Close that "
               "program (a modem manager, for instance) and try again.")
        .arg(path, holder.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(holder));
}

QString missingText(const QString& path) {
    QStringList present;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        present.append(port.systemLocation());
    }
    present.sort();
    return present.isEmpty() ? QStringLiteral(
                                   "There is no serial device %1, and none was found on this "
                                   "computer. Is the phone or modem plugged in?")
                                   .arg(path)
                             : QStringLiteral(
                                   "There is no serial device %1. Serial devices on this computer: "
                                   "%2.")
                                   .arg(path, present.join(QStringLiteral(", ")));
}

}  // namespace

QString deviceOpenProblem(const QString& path) {
    if (!QFileInfo::exists(path)) {
        return missingText(path);
    }
    const QString holder = lockHolder(path);
    if (!holder.isEmpty()) {
        return busyText(path, holder);
    }
    // Opened again only to learn the system's reason; closed at once.
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    const int reason = errno;
    if (descriptor >= 0) {
        ::close(descriptor);
        return {};
    }
    switch (reason) {
        case EACCES:
        case EPERM:
            return permissionText(path);
        case EBUSY:
            return busyText(path, {});
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return missingText(path);
        default:
            return {};
    }
}

bool deviceVanished(const QString& path) {
    return !path.isEmpty() && !QFileInfo::exists(path);
}

QString deviceDisconnectedText(const QString& path) {
    return QStringLiteral("The serial device %1 was disconnected.").arg(path);
}
