#include "frmTransfer.h"
#include "shell/Controls.h"

#include "link/LinkSession.h"
#include "link/MemoryReader.h"
#include "link/OnlineReceiver.h"
#include "session/TransferSession.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>

namespace Main = ctl::frmTransfer;

namespace ui {

void frmTransfer::wireLink()
{
    instrument::LinkSession* link = m_link;

    connect(findChild<QPushButton*>(Main::cmdConnect), &QPushButton::clicked, link,
            [link] { link->cmdConnect_Click(); });
    auto* combo = findChild<QComboBox*>(Main::ComboPort);
    // The binder may not have taken the new text yet when this runs; hand it over first.
    connect(combo, &QComboBox::editTextChanged, link, [this, link](const QString& text) {
        m_st.main().takeTextFromUser(Main::ComboPort, text);
        link->ComboPort_Change();
    });
    connect(combo, &QComboBox::activated, link, [this, link, combo](int) {
        m_st.main().takeTextFromUser(Main::ComboPort, combo->currentText());
        link->ComboPort_Click();
    });

    // Reading the memories.
    instrument::MemoryReader* reader = &m_session->reader();
    auto btn = [this](const QString& name) { return findChild<QAbstractButton*>(name); };
    connect(btn(Main::cmdLesen), &QAbstractButton::clicked, reader, [reader] { reader->cmdLesen_Click(); });
    connect(btn(Main::cmdLesFE), &QAbstractButton::clicked, reader, [reader] { reader->cmdLesFE_Click(); });
    connect(btn(Main::cmdLesNFE), &QAbstractButton::clicked, reader, [reader] { reader->cmdLesNFE_Click(); });

    // Online mode.
    instrument::OnlineReceiver* online = &m_session->online();
    connect(btn(Main::optOnline), &QAbstractButton::clicked, online, [online] { online->optOnline_Click(); });
    connect(btn(Main::cmdStop), &QAbstractButton::clicked, online, [online] { online->cmdStop_Click(); });

    // Progress of a long read (a full memory takes about 35 s on the line), below the connection status.
    auto* frame = findChild<QGroupBox*>(Main::Frame2);
    auto* progress = new QProgressBar(frame);
    progress->setObjectName(Main::prgLesen);
    progress->setFormat(QStringLiteral("%v / %m"));
    progress->setTextVisible(true);
    progress->hide();
    if (auto* grid = qobject_cast<QGridLayout*>(frame->layout()))
        grid->addWidget(progress, grid->rowCount(), 0, 1, 2);
    m_st.main().setVisible(Main::prgLesen, false);
}

} // namespace ui
