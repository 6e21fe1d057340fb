#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "phone/Registry.h"

namespace {

QString readLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readLine()).trimmed();
}

// The USB product string of the device a tty belongs to: the nearest "product" file above the
// tty's device folder, or empty for a serial port that is not on USB.
QString usbProductOf(const QString& deviceFolder, const QString& stopAt) {
    QDir dir(deviceFolder);
    while (dir.absolutePath().startsWith(stopAt) && dir.absolutePath() != stopAt) {
        const QString product = readLine(dir.filePath("product"));
        if (!product.isEmpty()) {
            return product;
        }
        if (!dir.cdUp()) {
            break;
        }
    }
    return {};
}

}  // namespace

SysfsRegistry::SysfsRegistry(QString sysRoot) : sysRoot_(std::move(sysRoot)) {}

QList<SerialPortEntry> SysfsRegistry::serialPortEntries() const {
    QList<SerialPortEntry> entries;
    const QDir ttyClass(sysRoot_ + "/class/tty");
    const QString root = QFileInfo(sysRoot_).canonicalFilePath();
    const QStringList names =
        ttyClass.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QString& name : names) {
        const QFileInfo deviceLink(ttyClass.filePath(name + "/device"));
        if (!deviceLink.exists()) {
            continue;  // a virtual terminal, not a serial port
        }
        const QString product = usbProductOf(deviceLink.canonicalFilePath(), root);
        if (product.isEmpty()) {
            continue;
        }
        entries.append({"/dev/" + name, product + " (" + name + ")"});
    }
    return entries;
}
