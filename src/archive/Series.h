#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace archive {

// Where a series came from. The numbers are stored in the archive: never change them.
enum class Kind { Memory1 = 1, Memory2 = 2, Online = 3, File = 4 };

// One reading exactly as the table showed it.
struct Reading {
    qint16 nr = 0;
    double wert = 0;
    QString einheit;
    QString material;
    QString datum;
    QString zeit;

    bool operator==(const Reading&) const = default;
};

// The project data, limits and rule settings in force when the series was kept: what a report of it needs.
struct Settings {
    QStringList projectLabels; // six each
    QStringList projectFields;
    QString projectDate; // "dd.MM.yyyy"
    QString projectTime; // "hh:mm"
    double Emin = 0;
    double Emax = 0;
    double Esoll = 0;
    bool E8020 = false;
    QString EminStr;
    QString EmaxStr;
    QString EsollStr;
    bool absolut = true;
    int sprache = 0;
    QString memoryMode; // the gauge's, which names the memories
    int speichernr = 0;
    QString tableDate; // the date over the table's columns

    bool operator==(const Settings&) const = default;
};

// A series without its readings.
struct Series {
    qint64 id = 0;
    qint64 previous = 0; // the version this one replaced; 0 for a first version
    // The same series on every computer and on the server; made when it is first kept.
    QString uid;
    QString previousUid;
    int version = 1;
    Kind kind = Kind::File;
    int view = 0; // the table view it was shown in (0 memory 1, 1 memory 2, 2 online)
    QDateTime started;
    QDateTime ended;
    QString edition; // edition code of the program that kept it
    // The gauge.
    QString model;
    QString port;
    QString firmware;
    QString probe;
    QString mac;
    QString source; // the file a series of kind File was opened from or first saved to
    Settings settings;
    // Kept up to date with the readings.
    int count = 0;
    double mean = 0;
    QString unit;
    QString verdict; // "" no rule, "ok", "fail"
};

// What the history list shows of a series.
struct ListEntry {
    qint64 id = 0;
    int version = 1;
    Kind kind = Kind::File;
    QDateTime started;
    QString model;
    QString port;
    QStringList projectFields;
    QString source;
    int count = 0;
    double mean = 0;
    QString unit;
    QString verdict;
};

// The history list's filter: a text found in the gauge or project fields, and a range of start dates.
struct Filter {
    QString text;
    QDate since; // invalid: no bound
    QDate until;
};

} // namespace archive
