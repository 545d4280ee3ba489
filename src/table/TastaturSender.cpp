#include "TastaturSender.h"

#include "KeySender.h"
#include "TextAlign.h"
#include "shell/Dialogs.h"
#include "shell/KeystrokeSettings.h"
#include "shell/Texte.h"
#include "shell/TransferLog.h"

namespace table {

namespace {

bool option(const QString& optionen, int pos)
{
    return optionen.mid(pos - 1, 1) == QLatin1String("1");
}

} // namespace

TastaturSender::TastaturSender(shell::KeystrokeSettings& settings, KeySender& keys, shell::Dialogs& dialogs,
                               const shell::Texte& texte, const shell::TransferLog& log, QObject* parent)
    : QObject(parent), m_settings(settings), m_keys(keys), m_dialogs(dialogs), m_texte(texte), m_log(log)
{
}

QString TastaturSender::zeilenText(const shell::KeystrokeSettings& settings, const TastaturZeile& zeile)
{
    const QString& opt = settings.tastenOptionen;
    const QLatin1Char blank(' ');
    QString text;
    if (option(opt, 1))
        text += Ausrichten(7, QString::number(zeile.nr));
    if (option(opt, 2))
        text += blank + zeile.datum;
    text += zeile.wertText;
    if (option(opt, 3))
        text += blank + zeile.einheit;
    if (option(opt, 4))
        text += blank + zeile.material;
    return text;
}

QString TastaturSender::beendetText(int sprache, const QString& anwendung)
{
    if (sprache == 0)
        return QStringLiteral("App ") + anwendung + QStringLiteral(" wurde beendet, bitte Pgm neu starten!");
    return QStringLiteral("App ") + anwendung + QStringLiteral(" was terminated, please restart program!");
}

QString TastaturSender::startFehlerText(int sprache, const QString& anwendung, const QString& grund)
{
    if (sprache == 0)
        return QStringLiteral("Die Anwendung ") + anwendung + QStringLiteral(" kann nicht gestartet werden: ") + grund;
    return QStringLiteral("The application ") + anwendung + QStringLiteral(" cannot be started: ") + grund;
}

QString TastaturSender::keineAnzeigeText(int sprache)
{
    if (sprache == 0)
        return QStringLiteral("Tastatur Events: keine X11-Anzeige vorhanden (DISPLAY), es werden keine Werte an "
                              "andere Anwendungen gesendet.");
    return QStringLiteral("Key events: no X11 display available (DISPLAY), no values will be sent to other "
                          "applications.");
}

void TastaturSender::anwendungStarten()
{
    shell::KeystrokeSettings& s = m_settings;
    if (s.anwendung.isEmpty() || !s.tastaturAktiv || s.anwendungGestartet)
        return;
    if (!m_keys.hasDisplay()) {
        m_dialogs.messageBox(keineAnzeigeText(m_texte.sprache));
        return;
    }
    QString grund;
    const qint64 pid = m_keys.startProgram(s.anwendung, grund);
    if (pid <= 0) {
        // Forwarding stays on: the next confirmation of the dialog tries again.
        m_dialogs.messageBox(startFehlerText(m_texte.sprache, s.anwendung, grund));
        return;
    }
    s.anwendungTask = pid;
    s.anwendungGestartet = true;
}

bool TastaturSender::zeileSenden(const TastaturZeile& zeile)
{
    if (!m_settings.tastaturAktiv || !m_keys.hasDisplay())
        return true;
    // Waiting for the window or a message box lets events run, and with them the next value: it is
    // typed after this one, not into the middle of it.
    if (m_sendet) {
        m_wartend.append(zeile);
        return true;
    }
    m_sendet = true;
    bool ok = senden(zeile);
    while (!m_wartend.isEmpty())
        senden(m_wartend.takeFirst());
    m_sendet = false;
    return ok;
}

bool TastaturSender::senden(const TastaturZeile& zeile)
{
    if (!m_keys.activate(m_settings.anwendungTask)) {
        const QString text = beendetText(m_texte.sprache, m_settings.anwendung);
        if (!m_failureTold)
            m_dialogs.notify(text);
        m_failureTold = true;
        m_log.WriteLog(text + QStringLiteral(" (") + QString::number(zeile.nr) + QLatin1Char(')'));
        // The dialog's confirmation starts the program again.
        m_settings.anwendungGestartet = false;
        return false;
    }
    m_failureTold = false;
    m_keys.typeText(zeilenText(m_settings, zeile));
    if (m_settings.zeilenende == QLatin1String("ENTER"))
        m_keys.pressEnter();
    return true;
}

} // namespace table
