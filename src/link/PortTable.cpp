#include "PortTable.h"

#include "shell/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace instrument {

namespace {

struct Family {
    const char* prefix;
    int first; // COM number of device 0
    int count;
};

constexpr Family kFamilies[] = {{"ttyS", 1, 32}, {"ttyUSB", 33, 16}, {"ttyACM", 49, 16}, {"rfcomm", 65, 16}};

bool exists(const QString& device)
{
    return !device.isEmpty() && QFileInfo::exists(device);
}

} // namespace

QString PortTable::portsIniPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Varnotek/Ports.ini");
}

int PortTable::numberOf(const QString& comName)
{
    if (!comName.startsWith(QLatin1String("COM")))
        return 0;
    bool ok = false;
    const int n = comName.mid(3).toInt(&ok);
    return ok && n > 0 ? n : 0;
}

PortTable::Entry PortTable::defaultEntry(int number)
{
    Entry e;
    e.number = number;
    for (const Family& f : kFamilies) {
        if (number >= f.first && number < f.first + f.count) {
            e.device = QStringLiteral("/dev/%1%2").arg(QLatin1String(f.prefix)).arg(number - f.first);
            break;
        }
    }
    return e;
}

int PortTable::defaultNumber(const QString& deviceName)
{
    for (const Family& f : kFamilies) {
        const QLatin1String prefix(f.prefix);
        if (!deviceName.startsWith(prefix))
            continue;
        bool ok = false;
        const int k = deviceName.mid(prefix.size()).toInt(&ok);
        if (ok && k >= 0 && k < f.count && deviceName.mid(prefix.size()) == QString::number(k))
            return f.first + k;
    }
    return 0;
}

QMap<int, PortTable::Entry> PortTable::readPortsIni()
{
    QMap<int, Entry> out;
    QStringList lines;
    if (!shell::TextFile::readLines(portsIniPath(), lines).ok)
        return out;
    for (const QString& raw : lines) {
        const QStringList fields = raw.trimmed().split(QLatin1Char(';'));
        if (fields.size() < 2)
            continue;
        const int n = numberOf(fields.at(0).trimmed().toUpper());
        if (n == 0 || fields.at(1).trimmed().isEmpty())
            continue;
        Entry e;
        e.number = n;
        e.device = fields.at(1).trimmed();
        e.type = fields.size() > 2 ? fields.at(2) : QString();
        e.pinned = true;
        out.insert(n, e);
    }
    return out;
}

QString PortTable::typeText(const QString& device, const QString& prefix)
{
    const QString name = QFileInfo(device).fileName();
    QString text = prefix.isEmpty() ? name : prefix + QLatin1Char(' ') + name;
    // Only USB and Bluetooth devices are worth the system's product lookup.
    if (!prefix.isEmpty() && exists(device)) {
        const QString description = QSerialPortInfo(name).description();
        if (!description.isEmpty())
            text += QLatin1Char(' ') + description;
    }
    return text;
}

PortTable::Entry PortTable::resolve(int number)
{
    const QMap<int, Entry> pinned = readPortsIni();
    if (pinned.contains(number))
        return pinned.value(number);
    Entry e = defaultEntry(number);
    if (e.device.isEmpty())
        return e;
    const QString name = QFileInfo(e.device).fileName();
    if (name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM")))
        e.type = typeText(e.device, QStringLiteral("VCP"));
    else if (name.startsWith(QLatin1String("rfcomm")))
        e.type = typeText(e.device, QStringLiteral("BTH"));
    else
        e.type = typeText(e.device, QString());
    return e;
}

QMap<int, QString> PortTable::presentPorts()
{
    QMap<int, QString> out;
    const QStringList names = QDir(QStringLiteral("/dev"))
                                  .entryList({QStringLiteral("ttyS*"), QStringLiteral("ttyUSB*"),
                                              QStringLiteral("ttyACM*"), QStringLiteral("rfcomm*")},
                                             QDir::System | QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : names)
        if (const int n = defaultNumber(name))
            out.insert(n, QStringLiteral("/dev/") + name);
    const QMap<int, Entry> pinned = readPortsIni();
    for (const Entry& e : pinned) {
        if (exists(e.device))
            out.insert(e.number, e.device);
        else
            out.remove(e.number);
    }
    return out;
}

PortInfo PortTable::info(const QString& comName)
{
    PortInfo info;
    const int n = numberOf(comName);
    if (n == 0)
        return info;
    const Entry e = resolve(n);
    info.device = e.device;
    if (!exists(e.device))
        return info;
    info.name = QStringLiteral("COM") + QString::number(n);
    info.type = e.type;
    const QByteArray path = QFile::encodeName(e.device);
    info.check = ::access(path.constData(), R_OK | W_OK) == 0 ? QStringLiteral("OK") : QStringLiteral("NO ACCESS");
    return info;
}

} // namespace instrument
