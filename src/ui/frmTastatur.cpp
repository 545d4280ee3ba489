#include "frmTastatur.h"

#include "FormBinder.h"
#include "shell/Controls.h"
#include "table/TastaturForm.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

namespace {

namespace N = ctl::frmTastatur;

template <class W> W* control(QWidget* parent, const QString& name)
{
    auto* w = new W(parent);
    w->setObjectName(name);
    return w;
}

} // namespace

frmTastatur::frmTastatur(table::TastaturForm& logic, QWidget* parent) : QDialog(parent), m_logic(logic)
{
    setObjectName(N::form);
    setModal(false);
    auto* root = new QVBoxLayout(this);

    auto* frame = control<QGroupBox>(this, N::fraTastatur);
    auto* frameLayout = new QVBoxLayout(frame);
    auto* te = control<QLabel>(frame, N::lblTE);
    te->setWordWrap(true);
    frameLayout->addWidget(te);
    frameLayout->addWidget(control<QCheckBox>(frame, N::chkTastatur));
    frameLayout->addWidget(control<QLabel>(frame, N::lblAnwendung));
    auto* path = control<QLineEdit>(frame, N::txtAnwendung);
    // Chosen through the file dialog only, so the path names a file that existed.
    path->setReadOnly(true);
    path->setMinimumWidth(360);
    path->installEventFilter(this);
    frameLayout->addWidget(path);

    auto* lower = new QHBoxLayout;
    auto* werte = control<QGroupBox>(frame, N::fraWerte);
    auto* werteLayout = new QGridLayout(werte);
    werteLayout->addWidget(control<QCheckBox>(werte, N::chkNr), 0, 0);
    werteLayout->addWidget(control<QCheckBox>(werte, N::chkDatum), 0, 1);
    werteLayout->addWidget(control<QCheckBox>(werte, N::chkEinheit), 1, 0);
    werteLayout->addWidget(control<QCheckBox>(werte, N::chkMaterial), 1, 1);
    lower->addWidget(werte);
    auto* ende = control<QGroupBox>(frame, N::frmZeilenEnde);
    auto* endeLayout = new QVBoxLayout(ende);
    endeLayout->addWidget(control<QRadioButton>(ende, N::optEnter));
    endeLayout->addWidget(control<QRadioButton>(ende, N::optKeins));
    lower->addWidget(ende);
    frameLayout->addLayout(lower);
    root->addWidget(frame);

    auto* ok = control<QPushButton>(this, N::cmdOk);
    ok->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    root->addLayout(buttons);

    m_binder = new FormBinder(logic.form(), this);
    connect(ok, &QPushButton::clicked, this, [this] { m_logic.cmdOk_Click(); });
    connect(&logic, &table::TastaturForm::closeRequested, this, &QDialog::close);
}

void frmTastatur::showEvent(QShowEvent* event)
{
    m_logic.Form_Activate();
    m_binder->applyAll();
    QDialog::showEvent(event);
}

bool frmTastatur::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        watched->objectName() == N::txtAnwendung)
        m_logic.txtAnwendung_Click();
    return QDialog::eventFilter(watched, event);
}

} // namespace ui
