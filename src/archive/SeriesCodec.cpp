#include "SeriesCodec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>

namespace archive::codec {

const QString kTimeFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz");

QString timeText(const QDateTime& t)
{
    return t.isValid() ? t.toString(kTimeFormat) : QStringLiteral(""); // never NULL: the columns require a text
}

// The list reads thousands of these: taken apart by hand, which is many times faster than a format string.
QDateTime timeOf(const QVariant& v)
{
    const QString t = v.toString();
    if (t.size() < 19)
        return QDateTime::fromString(t, kTimeFormat);
    const auto n = [&t](int from, int count) {
        int out = 0;
        for (int i = from; i < from + count; ++i)
            out = out * 10 + (t.at(i).unicode() - '0');
        return out;
    };
    return QDateTime(QDate(n(0, 4), n(5, 2), n(8, 2)),
                     QTime(n(11, 2), n(14, 2), n(17, 2), t.size() >= 23 ? n(20, 3) : 0));
}

QString settingsJson(const Settings& s)
{
    QJsonObject o;
    o[QStringLiteral("labels")] = QJsonArray::fromStringList(s.projectLabels);
    o[QStringLiteral("fields")] = QJsonArray::fromStringList(s.projectFields);
    o[QStringLiteral("date")] = s.projectDate;
    o[QStringLiteral("time")] = s.projectTime;
    o[QStringLiteral("Emin")] = s.Emin;
    o[QStringLiteral("Emax")] = s.Emax;
    o[QStringLiteral("Esoll")] = s.Esoll;
    o[QStringLiteral("E8020")] = s.E8020;
    o[QStringLiteral("EminStr")] = s.EminStr;
    o[QStringLiteral("EmaxStr")] = s.EmaxStr;
    o[QStringLiteral("EsollStr")] = s.EsollStr;
    o[QStringLiteral("absolut")] = s.absolut;
    o[QStringLiteral("sprache")] = s.sprache;
    o[QStringLiteral("memoryMode")] = s.memoryMode;
    o[QStringLiteral("speichernr")] = s.speichernr;
    o[QStringLiteral("tableDate")] = s.tableDate;
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

namespace {
QStringList strings(const QJsonValue& v)
{
    QStringList out;
    for (const QJsonValue& item : v.toArray())
        out << item.toString();
    return out;
}

} // namespace

Settings settingsOf(const QString& json)
{
    const QJsonObject o = QJsonDocument::fromJson(json.toUtf8()).object();
    Settings s;
    s.projectLabels = strings(o[QStringLiteral("labels")]);
    s.projectFields = strings(o[QStringLiteral("fields")]);
    s.projectDate = o[QStringLiteral("date")].toString();
    s.projectTime = o[QStringLiteral("time")].toString();
    s.Emin = o[QStringLiteral("Emin")].toDouble();
    s.Emax = o[QStringLiteral("Emax")].toDouble();
    s.Esoll = o[QStringLiteral("Esoll")].toDouble();
    s.E8020 = o[QStringLiteral("E8020")].toBool();
    s.EminStr = o[QStringLiteral("EminStr")].toString();
    s.EmaxStr = o[QStringLiteral("EmaxStr")].toString();
    s.EsollStr = o[QStringLiteral("EsollStr")].toString();
    s.absolut = o[QStringLiteral("absolut")].toBool(true);
    s.sprache = o[QStringLiteral("sprache")].toInt();
    s.memoryMode = o[QStringLiteral("memoryMode")].toString();
    s.speichernr = o[QStringLiteral("speichernr")].toInt();
    s.tableDate = o[QStringLiteral("tableDate")].toString();
    return s;
}

// The project fields in one column, for the list.
QString projectText(const QStringList& fields)
{
    return fields.join(QLatin1Char('\n'));
}

// What the text filter looks through: the gauge, the project fields and the file, in lower case.
QString searchText(const QString& edition, const QString& model, const QString& port, const QString& firmware,
                   const QString& probe, const QString& mac, const QString& source, const QString& project)
{
    return QStringList{edition, model, port, firmware, probe, mac, source, project}.join(QLatin1Char('\n')).toLower();
}

QString likePattern(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('%'), QLatin1String("\\%"))
        .replace(QLatin1Char('_'), QLatin1String("\\_"));
    return QStringLiteral("%") + escaped + QStringLiteral("%");
}

ListEntry listEntryOf(const QSqlQuery& q)
{
    ListEntry e;
    e.id = q.value(0).toLongLong();
    e.version = q.value(1).toInt();
    e.kind = static_cast<Kind>(q.value(2).toInt());
    e.started = timeOf(q.value(3));
    e.model = q.value(4).toString();
    e.port = q.value(5).toString();
    e.projectFields = q.value(6).toString().split(QLatin1Char('\n'));
    e.source = q.value(7).toString();
    e.count = q.value(8).toInt();
    e.mean = q.value(9).toDouble();
    e.unit = q.value(10).toString();
    e.verdict = q.value(11).toString();
    return e;
}

} // namespace archive::codec
