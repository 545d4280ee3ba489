#include "frmWerte.h"
#include "shell/Controls.h"

#include "FormBinder.h"
#include "Widgets.h"
#include "shell/AppState.h"
#include "table/WerteForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace Werte = ctl::frmWerte;

namespace ui {

frmWerte::frmWerte(shell::AppState& st, table::WerteForm& logic, QWidget* parent)
    : QDialog(parent), m_st(st), m_logic(logic)
{
    setObjectName(Werte::form);
    setModal(false);
    auto* root = new QVBoxLayout(this);
    auto* frame = named<QGroupBox>(this, Werte::frmLimits);
    auto* grid = new QGridLayout(frame);
    const QString rows[][2] = {
        {Werte::lblMin, Werte::txtMinLimit}, {Werte::lblMax, Werte::txtMaxLimit}, {Werte::lblSoll, Werte::txtSoll}};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(named<QLabel>(frame, rows[i][0]), i, 0);
        auto* box = named<QLineEdit>(frame, rows[i][1]);
        box->setMaxLength(12);
        box->installEventFilter(this);
        grid->addWidget(box, i, 1);
    }
    auto* chk = named<QCheckBox>(frame, Werte::chk8020);
    grid->addWidget(chk, 3, 0);
    // The rule next to the box that switches it on.
    auto* regel = named<QComboBox>(frame, Werte::cboRegel);
    grid->addWidget(regel, 3, 1);
    grid->addWidget(button(frame, Werte::cmdInfo), 4, 1, Qt::AlignRight);
    root->addWidget(frame);

    // The chosen rule's own settings; the logic shows only those of the rule.
    auto* ruleFrame = named<QGroupBox>(this, Werte::frmRegel);
    auto* ruleGrid = new QGridLayout(ruleFrame);
    auto* rauheit = named<QComboBox>(ruleFrame, Werte::cboRauheit);
    ruleGrid->addWidget(named<QLabel>(ruleFrame, Werte::lblRauheit), 0, 0);
    ruleGrid->addWidget(rauheit, 0, 1);
    const QString boxes[][2] = {{Werte::lblFlaeche, Werte::txtFlaeche},
                                {Werte::lblSpot, Werte::txtSpot},
                                {Werte::lblSpots, Werte::txtSpots},
                                {Werte::lblSpotMin, Werte::txtSpotMin},
                                {Werte::lblSpotMax, Werte::txtSpotMax}};
    for (int i = 0; i < 5; ++i) {
        ruleGrid->addWidget(named<QLabel>(ruleFrame, boxes[i][0]), i + 1, 0);
        auto* box = named<QLineEdit>(ruleFrame, boxes[i][1]);
        box->setMaxLength(12);
        box->installEventFilter(this);
        ruleGrid->addWidget(box, i + 1, 1);
    }
    ruleGrid->addWidget(named<QLabel>(ruleFrame, Werte::lblStufe), 6, 1);
    root->addWidget(ruleFrame);
    // The dialog takes the size of the settings shown.
    root->setSizeConstraint(QLayout::SetFixedSize);
    auto* buttons = new QHBoxLayout;
    auto* loeschen = button(this, Werte::cmdLoeschen);
    auto* speichern = button(this, Werte::cmdSpeichern);
    buttons->addWidget(loeschen);
    buttons->addStretch(1);
    buttons->addWidget(speichern);
    root->addLayout(buttons);
    if (!st.edition.windowIconPath.isEmpty())
        setWindowIcon(QIcon(st.edition.windowIconPath));

    m_binder = new FormBinder(logic.form(), this);
    connect(chk, &QCheckBox::clicked, this, [this] { m_logic.chk8020_Click(); });
    // The chosen entry of a list goes to the logic as the list's text, and comes back from it so.
    for (QComboBox* combo : {regel, rauheit}) {
        connect(combo, &QComboBox::activated, this, [this, combo](int i) {
            m_logic.form().takeTextFromUser(combo->objectName(), combo->itemText(i));
            if (combo->objectName() == Werte::cboRegel)
                m_logic.cboRegel_Click();
            else
                m_logic.cboRauheit_Click();
        });
    }
    connect(&logic.form(), &shell::FormState::changed, this, [this](const QString& name) { showChoice(name); });
    connect(loeschen, &QPushButton::clicked, this, [this] { m_logic.cmdLoeschen_Click(); });
    connect(speichern, &QPushButton::clicked, this, [this] {
        if (checkPendingBox())
            m_logic.cmdSpeichern_Click();
    });
    connect(findChild<QPushButton*>(Werte::cmdInfo), &QPushButton::clicked, this, [this] { m_logic.cmdInfo_Click(); });
    connect(&logic, &table::WerteForm::closeRequested, this, &QDialog::close);
}

void frmWerte::showEvent(QShowEvent* event)
{
    m_logic.Form_Activate();
    m_binder->applyAll();
    showChoice(Werte::cboRegel);
    showChoice(Werte::cboRauheit);
    QDialog::showEvent(event);
}

void frmWerte::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    emit hidden();
}

bool frmWerte::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Only moving to another control of this dialog leaves a box; a message box or another window does not.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible()) {
            m_pending = qobject_cast<QLineEdit*>(watched);
            // After the focus has settled, so a refused entry can take it back.
            QMetaObject::invokeMethod(
                this, [this] { checkPendingBox(); }, Qt::QueuedConnection);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmWerte::showChoice(const QString& name)
{
    if (name != Werte::cboRegel && name != Werte::cboRauheit)
        return;
    if (auto* combo = findChild<QComboBox*>(name))
        combo->setCurrentText(m_logic.form().text(name));
}

bool frmWerte::checkPendingBox()
{
    QPointer<QLineEdit> box = m_pending;
    m_pending.clear();
    if (!box) // still in a box (a button pressed by keyboard): that box is left now
        box = qobject_cast<QLineEdit*>(focusWidget());
    return !box || leaveBox(box);
}

bool frmWerte::leaveBox(QLineEdit* box)
{
    if (m_checking)
        return true;
    m_checking = true;
    const QString name = box->objectName();
    bool accepted = true;
    if (name == Werte::txtMinLimit)
        accepted = m_logic.txtMinLimit_LostFocus();
    else if (name == Werte::txtMaxLimit)
        accepted = m_logic.txtMaxLimit_LostFocus();
    else if (name == Werte::txtSoll)
        accepted = m_logic.txtSoll_LostFocus();
    else
        accepted = m_logic.ruleBox_LostFocus(name);
    m_checking = false;
    return accepted;
}

} // namespace ui
