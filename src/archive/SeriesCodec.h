#pragma once

#include "Series.h"

#include <QVariant>

class QSqlQuery;

// How the archives store a series' fields as text: shared by the file on this computer and the server.
namespace archive::codec {

extern const QString kTimeFormat;
QString timeText(const QDateTime& t);
QDateTime timeOf(const QVariant& v);
QString settingsJson(const Settings& s);
Settings settingsOf(const QString& json);
// The project fields in one column, for the list.
QString projectText(const QStringList& fields);
// What the text filter looks through: the gauge, the project fields and the file, in lower case.
QString searchText(const QString& edition, const QString& model, const QString& port, const QString& firmware,
                   const QString& probe, const QString& mac, const QString& source, const QString& project);
// A row of the list query of either archive: id, version, kind, started, model, port, project, source, count,
// mean, unit, verdict.
ListEntry listEntryOf(const QSqlQuery& q);
// The filter's text as a LIKE pattern with "\\" as its escape character.
QString likePattern(const QString& text);

} // namespace archive::codec
