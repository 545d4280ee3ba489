#include "frmWait.h"
#include "shell/Controls.h"

#include "FormBinder.h"
#include "shell/FormState.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace Wait = ctl::frmWait;

namespace ui {

frmWait::frmWait(shell::FormState& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setObjectName(Wait::form);
    setModal(false);
    auto* lay = new QVBoxLayout(this);
    auto* msg = new QLabel(this);
    msg->setObjectName(Wait::Waitmessage);
    msg->setAlignment(Qt::AlignCenter);
    auto* bar = new QProgressBar(this);
    bar->setObjectName(Wait::WaitBar);
    bar->setTextVisible(false);
    lay->addWidget(msg);
    lay->addWidget(bar);
    setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 28);
    m_binder = new FormBinder(state, this);
    // Start-up works through the ports without returning to the event loop: the window paints at once, so the
    // bar moves while it works, and no event of anything else runs meanwhile.
    connect(&state, &shell::FormState::changed, this, [this, bar, msg](const QString& name) {
        if (name == Wait::WaitBar && isVisible())
            bar->repaint();
        else if (name == Wait::Waitmessage && isVisible())
            msg->repaint();
        if (name != objectName())
            return;
        const bool show = m_state.isVisible(objectName());
        if (show == isVisible())
            return;
        setVisible(show);
        if (show)
            repaint();
    });
}

} // namespace ui
