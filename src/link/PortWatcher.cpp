#include "PortWatcher.h"

#include "PortTable.h"
#include "SerialLayer.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace instrument {

PortWatcher::PortWatcher(QObject* parent) : QObject(parent)
{
    // Several file events come with one plug or one Ports.ini rewrite; look once they have settled.
    m_settle.setSingleShot(true);
    m_settle.setInterval(50);
    connect(&m_settle, &QTimer::timeout, this, &PortWatcher::rescan);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
    m_present = PortTable::presentPorts();
    watchPaths();
}

void PortWatcher::watchPaths()
{
    const QString ini = PortTable::portsIniPath();
    const QString iniDir = QFileInfo(ini).absolutePath();
    const QString base = QFileInfo(iniDir).absolutePath();
    QStringList wanted;
    for (const QString& p : {QStringLiteral("/dev"), QStringLiteral("/dev/pts"), base, iniDir, ini})
        if (QFileInfo::exists(p))
            wanted << p;
    // A rewritten file drops out of the watch list; add whatever is missing again.
    QStringList missing;
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    for (const QString& p : wanted)
        if (!watched.contains(p))
            missing << p;
    if (!missing.isEmpty())
        m_watcher.addPaths(missing);
}

void PortWatcher::rescan()
{
    watchPaths();
    const QMap<int, QString> now = PortTable::presentPorts();
    const QMap<int, QString> before = m_present;
    m_present = now;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const QString name = QStringLiteral("COM") + QString::number(it.key());
        if (!now.contains(it.key()))
            emit portState(SerialLayer::Unplugged, name);
        else if (now.value(it.key()) != it.value())
            emit portState(SerialLayer::Ready, name);
    }
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (!before.contains(it.key()))
            emit portState(SerialLayer::PluggedIn, QStringLiteral("COM") + QString::number(it.key()));
    emit rescanned();
}

} // namespace instrument
