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
    root->addWidget(limitsFrame());
    root->addWidget(ruleFrame());
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
    connect(findChild<QCheckBox*>(Werte::chk8020), &QCheckBox::clicked, this, [this] { m_logic.chk8020_Click(); });
    // The chosen entry of a list goes to the logic as the list's text, and comes back from it so.
    for (QComboBox* combo : {findChild<QComboBox*>(Werte::cboRegel), findChild<QComboBox*>(Werte::cboRauheit)}) {
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

// Labelled boxes, one per row from the given row on.
void frmWerte::addBoxes(QGroupBox* frame, QGridLayout* grid, const QList<std::pair<QString, QString>>& boxes, int row)
{
    for (const auto& [label, name] : boxes) {
        grid->addWidget(named<QLabel>(frame, label), row, 0);
        auto* box = named<QLineEdit>(frame, name);
        box->setMaxLength(12);
        box->installEventFilter(this);
        grid->addWidget(box, row++, 1);
    }
}

QGroupBox* frmWerte::limitsFrame()
{
    auto* frame = named<QGroupBox>(this, Werte::frmLimits);
    auto* grid = new QGridLayout(frame);
    addBoxes(
        frame, grid,
        {{Werte::lblMin, Werte::txtMinLimit}, {Werte::lblMax, Werte::txtMaxLimit}, {Werte::lblSoll, Werte::txtSoll}},
        0);
    grid->addWidget(named<QCheckBox>(frame, Werte::chk8020), 3, 0);
    // The rule next to the box that switches it on.
    grid->addWidget(named<QComboBox>(frame, Werte::cboRegel), 3, 1);
    grid->addWidget(button(frame, Werte::cmdInfo), 4, 1, Qt::AlignRight);
    return frame;
}

// The chosen rule's own settings; the logic shows only those of the rule.
QGroupBox* frmWerte::ruleFrame()
{
    auto* frame = named<QGroupBox>(this, Werte::frmRegel);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(named<QLabel>(frame, Werte::lblRauheit), 0, 0);
    grid->addWidget(named<QComboBox>(frame, Werte::cboRauheit), 0, 1);
    addBoxes(frame, grid,
             {{Werte::lblFlaeche, Werte::txtFlaeche},
              {Werte::lblSpot, Werte::txtSpot},
              {Werte::lblSpots, Werte::txtSpots},
              {Werte::lblSpotMin, Werte::txtSpotMin},
              {Werte::lblSpotMax, Werte::txtSpotMax}},
             1);
    grid->addWidget(named<QLabel>(frame, Werte::lblStufe), 6, 1);
    return frame;
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
