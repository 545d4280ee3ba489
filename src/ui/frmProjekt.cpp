#include "frmProjekt.h"
#include "shell/Controls.h"

#include "FormBinder.h"
#include "export/ProjektDialog.h"
#include "shell/AppState.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace Projekt = ctl::frmProjekt;

namespace ui {

frmProjekt::frmProjekt(shell::AppState& st, reports::ProjektDialog& logic, QWidget* parent)
    : QDialog(parent), m_logic(logic)
{
    setObjectName(Projekt::form);
    auto* lay = new QHBoxLayout(this);

    auto* rahmen = new QGroupBox(this);
    rahmen->setObjectName(Projekt::frmRahmen);
    auto* grid = new QGridLayout(rahmen);
    for (int n = 1; n <= 6; ++n) {
        auto* label = new QLabel(rahmen);
        label->setObjectName(Projekt::lblFelder(n));
        auto* field = new QLineEdit(rahmen);
        field->setObjectName(Projekt::txtFelder(n));
        field->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 22);
        grid->addWidget(label, n - 1, 0);
        grid->addWidget(field, n - 1, 1, 1, 2);
    }
    auto* lblDtp = new QLabel(rahmen);
    lblDtp->setObjectName(Projekt::lblDtp);
    auto* date = new QDateEdit(rahmen);
    date->setObjectName(Projekt::DTPDate);
    date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    date->setCalendarPopup(true);
    auto* time = new QTimeEdit(rahmen);
    time->setObjectName(Projekt::DTPTime);
    time->setDisplayFormat(QStringLiteral("HH:mm"));
    grid->addWidget(lblDtp, 6, 0);
    grid->addWidget(date, 6, 1);
    grid->addWidget(time, 6, 2);
    lay->addWidget(rahmen);

    auto* frame1 = new QGroupBox(this);
    frame1->setObjectName(Projekt::Frame1);
    auto* commands = new QVBoxLayout(frame1);
    auto* save = new QPushButton(frame1);
    save->setObjectName(Projekt::cmdSpeichern);
    save->setAutoDefault(false);
    auto* clear = new QPushButton(frame1);
    clear->setObjectName(Projekt::cmdLoeschen);
    clear->setAutoDefault(false);
    commands->addWidget(save);
    commands->addWidget(clear);
    commands->addStretch();
    lay->addWidget(frame1);

    if (!st.edition.windowIconPath.isEmpty())
        setWindowIcon(QIcon(st.edition.windowIconPath));
    m_binder = new FormBinder(logic.form(), this);

    connect(save, &QPushButton::clicked, this, [this] { m_logic.cmdSpeichern_Click(); });
    connect(clear, &QPushButton::clicked, this, [this] { m_logic.cmdLoeschen_Click(); });
    connect(&logic, &reports::ProjektDialog::showRequested, this, [this] {
        // Opened again while still open: no show event, but it is activated again and takes the current language.
        if (isVisible()) {
            m_logic.Form_Activate();
            m_binder->applyAll();
        }
        show();
        raise();
        activateWindow();
    });
    connect(&logic, &reports::ProjektDialog::hideRequested, this, &QWidget::hide);
}

void frmProjekt::showEvent(QShowEvent* event)
{
    m_logic.Form_Activate();
    m_binder->applyAll();
    QDialog::showEvent(event);
}

} // namespace ui
