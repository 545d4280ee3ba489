#include "frmInfo.h"
#include "shell/Controls.h"

#include "FormBinder.h"
#include "shell/AppState.h"
#include "shell/DeviceInfo.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace Info = ctl::frmInfo;

namespace ui {

frmInfo::frmInfo(shell::AppState& st, QWidget* parent) : QDialog(parent), m_st(st)
{
    setObjectName(Info::form);
    auto* lay = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const struct {
        const QString& label;
        const QString& field;
        const char* de;
        const char* en;
    } rows[] = {
        {Info::lblGeraet, Info::txtGeraet, "Geraet", "Device"},
        {Info::lblPCSoft, Info::txtPCSoft, "PC Software", "PC software"},
        {Info::lblGeraeteSoft, Info::txtGeraeteSoft, "Geraete Software Version", "Device Softwareversion"},
        {Info::lblMacAdr, Info::txtMacAdr, "MAC-Adresse", "MAC address"},
        {Info::lblSondentyp, Info::txtSondentyp, "Sondentyp", "Probe type"},
        {Info::lblSondenversion, Info::txtSondenversion, "Sondenversion", "Probe version"},
        {Info::lblAnzahl1, Info::txtAnzahl1, "Werte Speicher 1", "Values memory 1"},
        {Info::lblAnzahl2, Info::txtAnzahl2, "Werte Speicher 2", "Values memory 2"},
    };
    for (const auto& r : rows) {
        auto* label = new QLabel(this);
        label->setObjectName(r.label);
        label->setProperty("vtDe", QString::fromUtf8(r.de));
        label->setProperty("vtEn", QString::fromUtf8(r.en));
        auto* field = new QLineEdit(this);
        field->setObjectName(r.field);
        field->setReadOnly(true);
        field->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 18);
        form->addRow(label, field);
    }
    lay->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    lay->addWidget(buttons);
    if (!st.edition.windowIconPath.isEmpty())
        setWindowIcon(QIcon(st.edition.windowIconPath));
    m_binder = new FormBinder(st.forms[Info::form], this);
}

void frmInfo::Form_Activate()
{
    for (auto* label : findChildren<QLabel*>())
        if (label->property("vtDe").isValid())
            m_st.forms[Info::form].setText(label->objectName(),
                                           label->property(m_st.sprache() == 0 ? "vtDe" : "vtEn").toString());
    shell::fillDeviceInfo(m_st);
    m_binder->applyAll();
}

void frmInfo::showEvent(QShowEvent* event)
{
    Form_Activate();
    QDialog::showEvent(event);
}

} // namespace ui
