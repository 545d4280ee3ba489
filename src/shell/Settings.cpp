#include "Settings.h"
#include "shell/Controls.h"

#include "AppState.h"
#include "InspectionRule.h"
#include "Numbers.h"
#include "TextFile.h"

#include <QDate>
#include <QFileInfo>
#include <QTime>
#include <cmath>

namespace Main = ctl::frmTransfer;
namespace Projekt = ctl::frmProjekt;

namespace shell::Settings {

namespace {

using Numbers::trimBlanks;

// A failed action: the system's description of what went wrong.
struct Failure {
    QString description;
};

const QString kInvalidCall = QStringLiteral("Invalid procedure call or argument");
const QString kTypeMismatch = QStringLiteral("Type mismatch");

// Position of the n-th ";" (1-based) or throws like the original string functions would.
qsizetype fieldEnd(const QString& line, qsizetype from)
{
    const qsizetype p = line.indexOf(QLatin1Char(';'), from);
    if (p < 0)
        throw Failure{kInvalidCall};
    return p;
}

double number(const QString& text)
{
    double v = 0;
    if (!Numbers::parseNumber(text, v))
        throw Failure{kTypeMismatch};
    return v;
}

bool truth(const QString& text)
{
    bool v = false;
    if (!Numbers::parseTruth(text, v))
        throw Failure{kTypeMismatch};
    return v;
}

QStringList readOrThrow(const AppState& st, const QString& path, bool createIfMissing,
                        const QString& initial = QString())
{
    // A read-only run takes a missing file as the one that would have been created.
    if (st.settingsReadOnly && createIfMissing && !QFileInfo::exists(path))
        return TextFile::splitLines(initial);
    QStringList lines;
    const TextFile::Result r = TextFile::readLines(path, lines, createIfMissing, initial);
    if (!r.ok)
        throw Failure{r.error};
    return lines;
}

void writeOrThrow(const AppState& st, const QString& path, const QStringList& lines)
{
    if (st.settingsReadOnly)
        return;
    const TextFile::Result r = TextFile::writeLines(path, lines);
    if (!r.ok)
        throw Failure{r.error};
}

FormState& projekt(AppState& st)
{
    return st.forms[Projekt::form];
}

void readKonfi(AppState& st, const QStringList& lines)
{
    for (int n = 1; n <= lines.size(); ++n) {
        const QString line = trimBlanks(lines.at(n - 1));
        if (n == 1) {
            if (!line.isEmpty())
                st.device.geraet = line;
            continue;
        }
        if (line.isEmpty() || line == QLatin1String("#"))
            continue;
        const qsizetype p1 = fieldEnd(line, 0);
        const qsizetype p2 = fieldEnd(line, p1 + 1);
        const qsizetype p3 = fieldEnd(line, p2 + 1);
        st.edition.variantCode = line.left(p1);
        st.edition.companyName = line.mid(p1 + 1, p2 - p1 - 1);
        st.edition.kpgmname = line.mid(p2 + 1, p3 - p2 - 1);
    }
}

void readPort(AppState& st, const QStringList& lines)
{
    for (const QString& raw : lines) {
        const QString line = trimBlanks(raw);
        if (line.isEmpty()) {
            st.main().setText(Main::txtWait, st.msg(shell::Msg::SelectPort));
            st.main().setVisible(Main::txtWait, true);
            continue;
        }
        st.link.portNumber = QString::number(Numbers::leadingDigits(line));
        st.main().setText(Main::ComboPort, QStringLiteral("COM") + line);
    }
}

void readLimits(AppState& st, const QStringList& lines)
{
    for (const QString& raw : lines) {
        const QString line = trimBlanks(raw);
        if (line.isEmpty())
            continue;
        const qsizetype p1 = fieldEnd(line, 0);
        st.limits.Emin = number(line.left(p1));
        st.limits.EminStr = Numbers::formatGeneral(st.limits.Emin);
        const qsizetype p2 = fieldEnd(line, p1 + 1);
        st.limits.Emax = number(line.mid(p1 + 1, p2 - p1 - 1));
        st.limits.EmaxStr = Numbers::formatGeneral(st.limits.Emax);
        const qsizetype p3 = fieldEnd(line, p2 + 1);
        st.limits.Esoll = number(line.mid(p2 + 1, p3 - p2 - 1));
        // Without this the report's target line loses its number after a restart.
        st.limits.EsollStr = Numbers::formatGeneral(st.limits.Esoll);
        const qsizetype p4 = line.indexOf(QLatin1Char(';'), p3 + 1);
        st.limits.E8020 = p4 < 0 ? false : truth(line.mid(p3 + 1, p4 - p3 - 1));
    }
}

void readRule(AppState& st, const QStringList& lines)
{
    for (const QString& line : lines) {
        if (trimBlanks(line).isEmpty())
            continue;
        if (!parseRuleLine(line, st.rule))
            throw Failure{kTypeMismatch};
        return;
    }
}

void readTastatur(AppState& st, const QStringList& lines)
{
    for (const QString& raw : lines) {
        const QString line = trimBlanks(raw);
        if (line.isEmpty())
            continue;
        const qsizetype p1 = fieldEnd(line, 0);
        st.keys.tastaturAktiv = truth(line.left(p1));
        const qsizetype p2 = fieldEnd(line, p1 + 1);
        st.keys.anwendung = line.mid(p1 + 1, p2 - p1 - 1);
        const qsizetype p3 = fieldEnd(line, p2 + 1);
        st.keys.tastenOptionen = line.mid(p2 + 1, p3 - p2 - 1);
        st.keys.zeilenende = line.mid(p3 + 1);
    }
    if (st.keys.tastenOptionen.isEmpty())
        st.keys.tastenOptionen = QStringLiteral("0000");
}

void readLanguage(AppState& st, const QStringList& lines)
{
    const QString line = lines.isEmpty() ? QString() : trimBlanks(lines.first());
    if (line.isEmpty()) {
        st.texte.sprache = 0;
        return;
    }
    const double v = std::floor(number(line));
    // Negative values fall back to German; the upper bound is applied at start-up.
    st.texte.sprache = v < 0 ? 0 : (v > 2 ? 2 : static_cast<int>(v));
}

void readProjekt(AppState& st, const QStringList& lines)
{
    int used = 0;
    for (const QString& line : lines) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || used >= 6)
            continue;
        ++used;
        const qsizetype p1 = fieldEnd(line, 0);
        QString label;
        if (st.sprache() == 0) {
            label = line.left(p1);
        } else {
            const qsizetype p2 = fieldEnd(line, p1 + 1);
            label = line.mid(p1 + 1, p2 - p1 - 1);
        }
        projekt(st).setText(Projekt::lblFelder(used), label);
    }
}

void readProjektdaten(AppState& st, const QStringList& lines)
{
    for (int n = 1; n <= lines.size(); ++n) {
        const QString line = trimBlanks(lines.at(n - 1));
        if (!line.isEmpty() && n <= 6)
            projekt(st).setText(Projekt::txtFelder(n), line.left(30));
        if (line.startsWith(QLatin1String("DT"))) {
            const QDate d = QDate::fromString(line.mid(3, 10), QStringLiteral("dd.MM.yyyy"));
            if (!d.isValid())
                throw Failure{kTypeMismatch};
            projekt(st).setText(Projekt::DTPDate, d.toString(QStringLiteral("dd.MM.yyyy")));
            const QTime t =
                QTime::fromString(line.mid(line.lastIndexOf(QLatin1Char(';')) + 1, 5), QStringLiteral("hh:mm"));
            if (!t.isValid())
                throw Failure{kTypeMismatch};
            projekt(st).setText(Projekt::DTPTime, t.toString(QStringLiteral("hh:mm")));
        }
    }
}

void writeProjektdaten(AppState& st, const QString& path)
{
    QStringList lines;
    for (int n = 1; n <= 6; ++n)
        lines << projekt(st).text(Projekt::txtFelder(n));
    QDate d = QDate::fromString(projekt(st).text(Projekt::DTPDate), QStringLiteral("dd.MM.yyyy"));
    QTime t = QTime::fromString(projekt(st).text(Projekt::DTPTime), QStringLiteral("hh:mm"));
    if (!d.isValid())
        d = QDate::currentDate();
    if (!t.isValid())
        t = QTime::currentTime();
    lines << QStringLiteral("DT ") + d.toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char(';') +
                 t.toString(QStringLiteral("hh:mm"));
    writeOrThrow(st, path, lines);
}

using LineReader = void (*)(AppState&, const QStringList&);

// The reading actions; null for the others.
LineReader readerFor(const QString& aktion)
{
    static const struct {
        const char* code;
        LineReader read;
    } readers[] = {{"KL", readKonfi},    {"CL", readPort},    {"LL", readLimits},       {"TL", readTastatur},
                   {"SL", readLanguage}, {"PI", readProjekt}, {"PL", readProjektdaten}, {"RL", readRule}};
    for (const auto& r : readers)
        if (aktion == QLatin1String(r.code))
            return r.read;
    return nullptr;
}

void reportFailure(AppState& st, const QString& aktion, const Failure& f)
{
    st.Errortext = errorMessage(aktion, st.sprache());
    st.messageBox(st.Errortext + f.description);
    st.WriteLog(st.Errortext);
}

} // namespace

void applyLines(AppState& st, const QString& aktion, const QStringList& lines)
{
    const LineReader read = readerFor(aktion);
    if (!read)
        return;
    try {
        read(st, lines);
    } catch (const Failure& f) {
        reportFailure(st, aktion, f);
    }
}

QString fileFor(const AppState& st, const QString& aktion)
{
    const QString a = aktion.left(1);
    if (aktion == QLatin1String("KL"))
        return st.edition.appPath + QStringLiteral("/Konfi.ini");
    if (a == QLatin1String("C"))
        return st.edition.AppDataPath + QStringLiteral("/Port.ini");
    if (a == QLatin1String("L"))
        return st.edition.AppDataPath + QStringLiteral("/Limit.ini");
    if (a == QLatin1String("R"))
        return st.edition.AppDataPath + QStringLiteral("/Regel.ini");
    if (a == QLatin1String("T"))
        return st.edition.AppDataPath + QStringLiteral("/Tastatur.ini");
    if (a == QLatin1String("S"))
        return st.edition.AppDataPath + QStringLiteral("/Language.ini");
    if (aktion == QLatin1String("PI"))
        return st.edition.MessDataPath + QStringLiteral("/Projekt.ini");
    if (a == QLatin1String("P"))
        return st.edition.AppDataPath + QStringLiteral("/Projektdaten.ini");
    return {};
}

QString errorMessage(const QString& aktion, int sprache)
{
    struct Row {
        const char* code;
        const char* de;
        const char* en;
    };
    static const Row rows[] = {
        {"KL", "Probleme beim Lesen Datei Konfi.ini: ", "problems reading file Konfi.ini: "},
        {"CL", "Probleme beim Lesen Datei Port.ini: ", "problems reading file Port.ini: "},
        {"CS", "Probleme beim Schreiben Datei Port.ini: ", "problems writing file Port.ini: "},
        {"LL", "Probleme beim Lesen Datei Limit.ini: ", "problems reading file  Limit.ini: "},
        {"LS", "Probleme beim Schreiben Datei Limit.ini: ", "problems writing file  Limit.ini: "},
        {"TL", "Probleme beim Lesen Datei Tastatur.ini: ", "problems reading file Tastatur.ini: "},
        {"TS", "Probleme beim Schreiben Datei Tastatur.ini: ", "problems writing file Tastatur.ini: "},
        {"SL", "Probleme beim Lesen Datei & Language.ini: ", "problems reading file Language.ini:"},
        {"SS", "Probleme beim Schreiben Datei Language.ini: ", "problems writing file Language.ini: "},
        {"PI", "Probleme beim Lesen Datei Projekt.ini: ", "problems reading file  Datei Projekt.ini: "},
        {"PL", "Probleme beim Lesen Datei Projektdaten.ini: ", "problems reading file  Projektdaten.ini: "},
        {"PS", "Probleme beim Schreiben Datei Projektdaten.ini: ", "problems writing file  Datei Projektdaten.ini: "},
        {"RL", "Probleme beim Lesen Datei Regel.ini: ", "problems reading file Regel.ini: "},
        {"RS", "Probleme beim Schreiben Datei Regel.ini: ", "problems writing file Regel.ini: "},
    };
    for (const Row& r : rows)
        if (aktion == QLatin1String(r.code))
            return QString::fromUtf8(sprache == 0 ? r.de : r.en);
    return {};
}

void Voreinstellungen(AppState& st, const QString& aktion)
{
    const QString path = fileFor(st, aktion);
    // The rule lives beside Limit.ini and is read and written with it. Its file exists only once a rule other
    // than the plain 80/20 was saved, so a user who keeps that finds the folder as before.
    const bool rule = aktion == QLatin1String("RL") || aktion == QLatin1String("RS");
    if (rule && !QFileInfo::exists(path) && (aktion == QLatin1String("RL") || st.rule.isDefault()))
        return;
    try {
        if (const LineReader read = readerFor(aktion)) {
            // Every file but Konfi.ini is created when missing; Language.ini then holds German.
            const bool create = aktion != QLatin1String("KL") && !rule;
            read(st,
                 readOrThrow(st, path, create, aktion == QLatin1String("SL") ? QStringLiteral("0\r\n") : QString()));
        } else if (aktion == QLatin1String("CS")) {
            writeOrThrow(st, path, {trimBlanks(st.link.portNumber)});
            st.main().setCaption(st.msg(shell::Msg::ProgramTitle));
        } else if (aktion == QLatin1String("LS")) {
            writeOrThrow(st, path,
                         {Numbers::formatGeneral(st.limits.Emin) + QLatin1Char(';') +
                          Numbers::formatGeneral(st.limits.Emax) + QLatin1Char(';') +
                          Numbers::formatGeneral(st.limits.Esoll) + QLatin1Char(';') +
                          (st.limits.E8020 ? QLatin1Char('1') : QLatin1Char('0')) + QLatin1Char(';')});
        } else if (aktion == QLatin1String("RS")) {
            writeOrThrow(st, path, {ruleLine(st.rule)});
        } else if (aktion == QLatin1String("TS")) {
            writeOrThrow(st, path,
                         {(st.keys.tastaturAktiv ? QStringLiteral("1") : QStringLiteral("0")) + QLatin1Char(';') +
                          st.keys.anwendung + QLatin1Char(';') + st.keys.tastenOptionen + QLatin1Char(';') +
                          st.keys.zeilenende});
        } else if (aktion == QLatin1String("SS")) {
            writeOrThrow(st, path, {QString::number(st.texte.sprache)});
        } else if (aktion == QLatin1String("PS")) {
            writeProjektdaten(st, path);
        }
    } catch (const Failure& f) {
        reportFailure(st, aktion, f);
    }
    if (aktion == QLatin1String("LL")) {
        Voreinstellungen(st, QStringLiteral("RL"));
        applyStandIn(st);
    } else if (aktion == QLatin1String("LS")) {
        Voreinstellungen(st, QStringLiteral("RS"));
    }
}

} // namespace shell::Settings
