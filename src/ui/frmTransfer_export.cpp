#include "frmTransfer.h"
#include "shell/Controls.h"

#include "export/ExportSession.h"
#include "export/ProjektDialog.h"
#include "frmProjekt.h"

#include <QAbstractButton>
#include <QAction>

namespace Main = ctl::frmTransfer;

namespace ui {

void frmTransfer::wireExport()
{
    reports::ExportSession* e = m_export;
    new frmProjekt(m_st, e->projekt(), this);

    auto btn = [this](const QString& name) { return findChild<QAbstractButton*>(name); };
    connect(btn(Main::cmdSave), &QAbstractButton::clicked, this, [e] { e->cmdSave_Click(); });
    connect(btn(Main::cmdOpen), &QAbstractButton::clicked, this, [e] { e->cmdOpen_Click(); });
    connect(btn(Main::cmdProjekt), &QAbstractButton::clicked, this, [e] { e->cmdProjekt_Click(); });
    connect(btn(Main::cmdClipboard), &QAbstractButton::clicked, this, [e] { e->cmdClipboard_Click(); });
    connect(btn(Main::cmdprint), &QAbstractButton::clicked, this, [e] { e->cmdprint_Click(); });
    connect(btn(Main::cmdWord), &QAbstractButton::clicked, this, [e] { e->cmdWord_Click(); });
    connect(btn(Main::cmdExcel), &QAbstractButton::clicked, this, [e] { e->cmdExcel_Click(); });
    connect(btn(Main::cmdBericht), &QAbstractButton::clicked, this, [e] { e->cmdBericht_Click(); });
    connect(findChild<QAction*>(Main::mnuBericht), &QAction::triggered, this, [e] { e->cmdBericht_Click(); });
}

} // namespace ui
