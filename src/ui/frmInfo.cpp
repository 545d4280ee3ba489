#include "frmInfo.h"

#include "FormBinder.h"
#include "shell/AppState.h"
#include "shell/DeviceInfo.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ui {

frmInfo::frmInfo(shell::AppState& st, QWidget* parent) : QDialog(parent), m_st(st)
{
    setObjectName(QStringLiteral("frmInfo"));
    auto* lay = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const struct {
        const char* label;
        const char* field;
        const char* de;
        const char* en;
    } rows[] = {
        {"lblGeraet", "txtGeraet", "Geraet", "Device"},
        {"lblPCSoft", "txtPCSoft", "PC Software", "PC software"},
        {"lblGeraeteSoft", "txtGeraeteSoft", "Geraete Software Version", "Device Softwareversion"},
        {"lblMacAdr", "txtMacAdr", "MAC-Adresse", "MAC address"},
        {"lblSondentyp", "txtSondentyp", "Sondentyp", "Probe type"},
        {"lblSondenversion", "txtSondenversion", "Sondenversion", "Probe version"},
        {"lblAnzahl1", "txtAnzahl1", "Werte Speicher 1", "Values memory 1"},
        {"lblAnzahl2", "txtAnzahl2", "Werte Speicher 2", "Values memory 2"},
    };
    for (const auto& r : rows) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(r.label));
        label->setProperty("vtDe", QString::fromUtf8(r.de));
        label->setProperty("vtEn", QString::fromUtf8(r.en));
        auto* field = new QLineEdit(this);
        field->setObjectName(QString::fromLatin1(r.field));
        field->setReadOnly(true);
        field->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 18);
        form->addRow(label, field);
    }
    lay->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    lay->addWidget(buttons);
    if (!st.windowIconPath.isEmpty())
        setWindowIcon(QIcon(st.windowIconPath));
    m_binder = new FormBinder(st.forms[QStringLiteral("frmInfo")], this);
}

void frmInfo::Form_Activate()
{
    for (auto* label : findChildren<QLabel*>())
        if (label->property("vtDe").isValid())
            m_st.forms[QStringLiteral("frmInfo")].setText(
                label->objectName(), label->property(m_st.sprache() == 0 ? "vtDe" : "vtEn").toString());
    shell::fillDeviceInfo(m_st);
    m_binder->applyAll();
}

void frmInfo::showEvent(QShowEvent* event)
{
    Form_Activate();
    QDialog::showEvent(event);
}

} // namespace ui
