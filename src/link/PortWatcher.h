#pragma once

#include <QFileSystemWatcher>
#include <QMap>
#include <QObject>
#include <QTimer>

namespace instrument {

// Notices ports coming and going by watching /dev, /dev/pts and Ports.ini.
class PortWatcher : public QObject
{
    Q_OBJECT
public:
    explicit PortWatcher(QObject* parent = nullptr);

    // Compares the present ports with the last look and reports the differences at once.
    void rescan();

signals:
    // kind: 1 plugged in, 2 unplugged, 11 ready (the name now leads to another device).
    void portState(int kind, const QString& comName);
    // The ports were looked at again (something changed in the watched places), whether or not one changed.
    void rescanned();

private:
    void watchPaths();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QMap<int, QString> m_present;
};

} // namespace instrument
