// Linux system services: the first physical disk's serial number and the network adapters'
// hardware addresses from sysfs and udev, host and user names, the host's own address, the
// user's folders, the sound.
#pragma once

#include <QString>
#include <QStringList>

namespace kv::platform {

// The serial number of the first physical disk (by name order; loop, ram, zram, device-mapper,
// md and optical devices are not physical disks). Throws std::runtime_error when there is
// no disk or no serial number.
QString firstDiskSerial(const QString& sysRoot = QStringLiteral("/sys"),
                        const QString& udevRoot = QStringLiteral("/run/udev/data"));

// The hardware addresses of the network adapters but the loopback, in name order, as
// sysfs writes them ("aa:bb:cc:dd:ee:ff").
QStringList adapterAddresses(const QString& sysRoot = QStringLiteral("/sys"));

QString hostName();
QString userName();
// The first IPv4 address the host's own name resolves to that is not a loopback one, else
// the first address of an interface that is up, else the loopback address the name resolved
// to; "127.0.0.1" when there is none at all.
QString hostAddress();

// XDG folders (configuration, documents, desktop), without a trailing separator.
QString configFolder();
QString documentsFolder();
QString desktopFolder();

// The program's one sound (the message boxes' kinds share it).
void beep();

}  // namespace kv::platform
