#include "frmTransfer.h"

#include "export/ExportSession.h"
#include "export/ProjektDialog.h"
#include "frmProjekt.h"

#include <QAbstractButton>

namespace ui {

void frmTransfer::wireExport()
{
    reports::ExportSession* e = m_export;
    new frmProjekt(m_st, e->projekt(), this);

    auto btn = [this](const char* name) { return findChild<QAbstractButton*>(QString::fromLatin1(name)); };
    connect(btn("cmdSave"), &QAbstractButton::clicked, this, [e] { e->cmdSave_Click(); });
    connect(btn("cmdOpen"), &QAbstractButton::clicked, this, [e] { e->cmdOpen_Click(); });
    connect(btn("cmdProjekt"), &QAbstractButton::clicked, this, [e] { e->cmdProjekt_Click(); });
}

} // namespace ui
