#pragma once

#include "SimGauge.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

// Everything the command line sets.
struct SimSettings {
    SimGaugeConfig gauge;
    int com = 0;      // 0: no Ports.ini line
    QString typeText; // empty: "BTH simulated gauge" / "VCP simulated gauge" by the model
    int count1 = -1;  // -1: the model's default
    int count2 = -1;
    double mean = 0.0;
    double spread = 0.0;
    bool meanSet = false;
    bool spreadSet = false;
    QString unit; // canonical unit; empty: the model's
    QString memory1File;
    QString memory2File;
    bool online = false;
    bool keypress = false;
    int intervalMs = 1000;
    bool onlineNow = false; // start sending at once rather than after the first identification
    bool fast = false;
    int baud = 38400;
    bool overflow = false;
    int unplugAfterMs = -1;
    bool quiet = false;
};

class SimOptions
{
public:
    enum class Result { Run, Help, Error };

    Result parse(const QStringList& arguments); // arguments[0] is the program name
    const SimSettings& settings() const { return m_settings; }
    QString error() const { return m_error; }

    static QString usage();
    static QString helpText();

private:
    struct Draft;
    using Handler = std::function<bool(const QString& name, const QString& value)>;
    QMap<QString, Handler> valueOptions(Draft& d);
    bool toInt(const QString& name, const QString& text, int min, int max, int* out);
    bool finish(Draft& d);
    bool applyFaults(const QStringList& faults, SimSettings& s);
    SimSettings m_settings;
    QString m_error;
};
