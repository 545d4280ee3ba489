#include "frmTransfer.h"

#include "link/LinkSession.h"
#include "link/QtSerialLayer.h"

#include <QComboBox>
#include <QPushButton>

namespace ui {

void frmTransfer::wireLink()
{
    auto* layer = new instrument::QtSerialLayer;
    m_link = new instrument::LinkSession(m_st, *m_shell, *layer, this);
    layer->setParent(m_link);
    instrument::LinkSession* link = m_link;

    shell::ShellHooks& h = m_shell->hooks();
    h.enumeratePorts = [link] { link->enumeratePorts(); };
    h.closePort = [link] { link->closePort(); };

    connect(findChild<QPushButton*>(QStringLiteral("cmdConnect")), &QPushButton::clicked, link,
            [link] { link->cmdConnect_Click(); });
    auto* combo = findChild<QComboBox*>(QStringLiteral("ComboPort"));
    // The binder may not have taken the new text yet when this runs; hand it over first.
    connect(combo, &QComboBox::editTextChanged, link, [this, link](const QString& text) {
        m_st.main().takeTextFromUser(QStringLiteral("ComboPort"), text);
        link->ComboPort_Change();
    });
    connect(combo, &QComboBox::activated, link, [this, link, combo](int) {
        m_st.main().takeTextFromUser(QStringLiteral("ComboPort"), combo->currentText());
        link->ComboPort_Click();
    });
}

} // namespace ui
