#pragma once

#include "TastaturZeile.h"

#include <QList>
#include <QObject>
#include <QString>

namespace shell {
class Dialogs;
class Texte;
class TransferLog;
struct KeystrokeSettings;
} // namespace shell

namespace table {

class KeySender;

// Types each online value into the receiving program and starts that program once per run.
class TastaturSender : public QObject
{
    Q_OBJECT
public:
    TastaturSender(shell::KeystrokeSettings& settings, KeySender& keys, shell::Dialogs& dialogs,
                   const shell::Texte& texte, const shell::TransferLog& log, QObject* parent = nullptr);

    // Everything typed for the row before the Enter key, in the order the options name.
    static QString zeilenText(const shell::KeystrokeSettings& settings, const TastaturZeile& zeile);

    static QString beendetText(int sprache, const QString& anwendung);
    static QString startFehlerText(int sprache, const QString& anwendung, const QString& grund);
    static QString keineAnzeigeText(int sprache);

public slots:
    // At start-up and when the dialog is confirmed: starts anwendung when forwarding is on and it has not
    // been started in this run yet.
    void anwendungStarten();

    // Types one online row. False when the receiving program could not be brought to the front: the user is told
    // once, in a box that does not hold up the values, every failure is logged, and the next row tries again.
    // True also when forwarding is off or nothing can be typed.
    bool zeileSenden(const TastaturZeile& zeile);

private:
    bool senden(const TastaturZeile& zeile);

    shell::KeystrokeSettings& m_settings;
    KeySender& m_keys;
    shell::Dialogs& m_dialogs;
    const shell::Texte& m_texte;
    const shell::TransferLog& m_log;
    bool m_failureTold = false;     // since the last row that was typed
    QList<TastaturZeile> m_wartend; // rows that arrived while an earlier one was still being typed
    bool m_sendet = false;
};

} // namespace table
