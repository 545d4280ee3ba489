#include "ProjektDialog.h"

#include "shell/AppState.h"
#include "shell/Settings.h"

#include <QDate>
#include <QTime>

namespace Projekt = ctl::frmProjekt;

namespace reports {

namespace {

const QString kDate = Projekt::DTPDate;
const QString kTime = Projekt::DTPTime;
const QString kDateFormat = QStringLiteral("dd.MM.yyyy");
const QString kTimeFormat = QStringLiteral("hh:mm");

} // namespace

ProjektDialog::ProjektDialog(shell::AppState& st, QObject* parent) : QObject(parent), m_st(st) {}

shell::FormState& ProjektDialog::form()
{
    return m_st.forms[Projekt::form];
}

void ProjektDialog::cmdProjekt_Click()
{
    m_st.aktion = QStringLiteral("PI");
    shell::Settings::Voreinstellungen(m_st, m_st.aktion);
    m_st.aktion = QStringLiteral("PL");
    shell::Settings::Voreinstellungen(m_st, m_st.aktion);
    emit showRequested();
}

void ProjektDialog::Form_Activate()
{
    shell::FormState& f = form();
    f.setCaption(m_st.msg(shell::Msg::ProgramTitle));
    f.setText(Projekt::frmRahmen, m_st.msg(shell::Msg::ProjectData));
    f.setText(Projekt::lblDtp, m_st.msg(shell::Msg::DateTime));
    f.setText(Projekt::Frame1, m_st.msg(shell::Msg::Commands));
    f.setText(Projekt::cmdSpeichern, m_st.texte.cap(shell::Cap::SaveButton));
    f.setText(Projekt::cmdLoeschen, m_st.texte.cap(shell::Cap::DeleteButton));

    // An empty text is a picker that was never set.
    const QDate d = QDate::fromString(f.text(kDate), kDateFormat);
    if (!d.isValid() || d == QDate(1899, 12, 30) || d == QDate(1899, 1, 1))
        f.setText(kDate, QDate::currentDate().toString(kDateFormat));
    const QTime t = QTime::fromString(f.text(kTime), kTimeFormat);
    if (!t.isValid() || t == QTime(0, 0))
        f.setText(kTime, QTime::currentTime().toString(kTimeFormat));
}

void ProjektDialog::cmdLoeschen_Click()
{
    shell::FormState& f = form();
    f.setText(kDate, QDate::currentDate().toString(kDateFormat));
    f.setText(kTime, QStringLiteral("00:00"));
    for (int n = 1; n <= 6; ++n)
        f.setText(Projekt::txtFelder(n), QString());
}

void ProjektDialog::cmdSpeichern_Click()
{
    m_st.aktion = QStringLiteral("PS");
    shell::Settings::Voreinstellungen(m_st, m_st.aktion);
    emit hideRequested();
}

} // namespace reports
