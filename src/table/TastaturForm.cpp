#include "TastaturForm.h"

#include "shell/Controls.h"
#include "shell/Dialogs.h"
#include "shell/FormState.h"
#include "shell/KeystrokeSettings.h"
#include "shell/Texte.h"

#include <QFileInfo>

namespace table {

namespace N = ctl::frmTastatur;

TastaturForm::TastaturForm(shell::FormState& form, shell::KeystrokeSettings& settings, shell::Dialogs& dialogs,
                           const shell::Texte& texte, QObject* parent)
    : QObject(parent), m_form(form), m_settings(settings), m_dialogs(dialogs), m_texte(texte)
{
}

void TastaturForm::Form_Activate()
{
    shell::FormState& f = m_form;
    const shell::Texte& t = m_texte;
    f.setCaption(t.msg(shell::Msg::ProgramTitle));
    f.setText(N::fraTastatur, t.msg(shell::Msg::KeyEventsTitle));
    f.setText(N::lblTE, t.msg(shell::Msg::KeyEventsInfo));
    f.setText(N::chkTastatur, t.msg(shell::Msg::ActivateFunction));
    f.setText(N::lblAnwendung, t.msg(shell::Msg::TargetApplication));
    f.setText(N::fraWerte, t.msg(shell::Msg::ValuesIncluding));
    f.setText(N::chkNr, t.msg(shell::Msg::NrLabel));
    f.setText(N::chkDatum, t.msg(shell::Msg::DateLabel));
    f.setText(N::chkEinheit, t.msg(shell::Msg::UnitHeading));
    f.setText(N::chkMaterial, QStringLiteral("Material"));
    f.setText(N::frmZeilenEnde, t.msg(shell::Msg::EndOfLine));
    f.setText(N::optEnter, QStringLiteral("Enter"));
    f.setText(N::optKeins, t.msg(shell::Msg::None));
    f.setText(N::cmdOk, QStringLiteral("OK"));

    shell::KeystrokeSettings& s = m_settings;
    f.setChecked(N::chkTastatur, s.tastaturAktiv);
    f.setText(N::txtAnwendung, s.anwendung);
    // "None" is stored as an empty setting, so an empty setting shows "None" again. The button to
    // become selected goes first: the window lets only one of the two be on.
    if (s.zeilenende == QLatin1String("ENTER")) {
        f.setChecked(N::optEnter, true);
        f.setChecked(N::optKeins, false);
    } else if (s.zeilenende == QLatin1String("KEINS") || s.zeilenende.isEmpty()) {
        f.setChecked(N::optKeins, true);
        f.setChecked(N::optEnter, false);
    }
    if (s.tastenOptionen.isEmpty())
        s.tastenOptionen = QStringLiteral("0000");
    const QString* boxes[] = {&N::chkNr, &N::chkDatum, &N::chkEinheit, &N::chkMaterial};
    for (int i = 0; i < 4; ++i)
        f.setChecked(*boxes[i], s.tastenOptionen.mid(i, 1) == QLatin1String("1"));
}

void TastaturForm::txtAnwendung_Click()
{
    const QString current = m_form.text(N::txtAnwendung);
    const QString folder = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
    const QString chosen = m_dialogs.openFile(QString(), folder, QString());
    // Cancelling keeps the program chosen before.
    if (!chosen.isEmpty())
        m_form.setText(N::txtAnwendung, chosen);
}

QString TastaturForm::ZeichenErsetzen(const QString& text, int pos, const QString& c)
{
    return text.left(pos - 1) + c + text.mid(pos);
}

void TastaturForm::cmdOk_Click()
{
    shell::FormState& f = m_form;
    shell::KeystrokeSettings& s = m_settings;
    if (f.isChecked(N::optKeins))
        s.zeilenende.clear();
    if (f.isChecked(N::optEnter))
        s.zeilenende = QStringLiteral("ENTER");

    s.tastaturAktiv = f.isChecked(N::chkTastatur);
    const QString pfad = f.text(N::txtAnwendung);
    if (pfad != s.anwendung && s.tastaturAktiv) {
        s.anwendung = pfad;
        s.anwendungGestartet = false;
    }
    if (f.isChecked(N::chkTastatur) && (pfad.isEmpty() || pfad == QLatin1String(" "))) {
        f.setChecked(N::chkTastatur, false);
        s.tastaturAktiv = false;
    }

    // A hand-edited Tastatur.ini may hold fewer than four flags; the missing ones count as off.
    QString opt = s.tastenOptionen.leftJustified(4, QLatin1Char('0'));
    const auto flag = [&f](const QString& box) { return f.isChecked(box) ? QStringLiteral("1") : QStringLiteral("0"); };
    opt = ZeichenErsetzen(opt, 1, flag(N::chkNr));
    opt = ZeichenErsetzen(opt, 3, flag(N::chkEinheit));
    opt = ZeichenErsetzen(opt, 4, flag(N::chkMaterial));
    opt = ZeichenErsetzen(opt, 2, flag(N::chkDatum));
    s.tastenOptionen = opt;

    emit settingsConfirmed();
    if (!s.anwendung.isEmpty() && s.tastaturAktiv && !s.anwendungGestartet)
        emit startRequested();
    emit closeRequested();
}

} // namespace table
