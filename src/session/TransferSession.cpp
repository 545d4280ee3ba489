#include "TransferSession.h"
#include "ArchiveRecorder.h"
#include "ServerSync.h"

#include "export/ExportSession.h"
#include "link/LinkSession.h"
#include "link/MemoryReader.h"
#include "link/OnlineReceiver.h"
#include "link/QtSerialLayer.h"
#include "shell/TransferShell.h"
#include "table/KeySender.h"
#include "table/TableSession.h"
#include "table/TastaturForm.h"
#include "table/TastaturSender.h"
#include "table/ValueFormat.h"
#include "table/X11KeySender.h"

namespace session {

TransferSession::TransferSession(shell::Dialogs& dialogs, shell::Desktop& desktop,
                                 std::unique_ptr<instrument::SerialLayer> layer, std::unique_ptr<table::KeySender> keys,
                                 QObject* parent)
    : QObject(parent), m_layer(layer ? std::move(layer) : std::make_unique<instrument::QtSerialLayer>()),
      m_keys(keys ? std::move(keys) : std::make_unique<table::X11KeySender>())
{
    m_st.dialogs = &dialogs;
    m_st.desktop = &desktop;
    m_shell = new shell::TransferShell(m_st, this);
    m_table = new table::TableSession(m_st, this);
    m_export = new reports::ExportSession(m_st, m_table, this);
    m_link = new instrument::LinkSession(m_st, *m_layer, this);
    m_reader = new instrument::MemoryReader(m_st, *m_link, this);
    m_online = new instrument::OnlineReceiver(m_st, *m_link, this);
    m_tastaturForm = new table::TastaturForm(m_st.forms[ctl::frmTastatur::form], m_st.keys, dialogs, m_st.texte, this);
    m_tastaturSender = new table::TastaturSender(m_st.keys, *m_keys, dialogs, m_st.texte, m_st.log, this);
    m_archive = new ArchiveRecorder(m_st, *m_table, *m_export, this);
    m_server = new ServerSync(m_st, *m_archive, this);
    connectShell();
    connectLink();
    connectReader();
    connectOnline();
    connectKeystrokes();
    connectArchive();
    connectExport();
    connectServer();
}

TransferSession::~TransferSession()
{
    m_link->closePort();
}

// Start-up, the language switch and the exit ask the table and the link for their part.
void TransferSession::connectShell()
{
    using shell::TransferShell;
    connect(m_shell, &TransferShell::portListRequested, m_link, &instrument::LinkSession::enumeratePorts);
    connect(m_shell, &TransferShell::tableLayoutRequested, m_table, &table::TableSession::TabelleFormatieren);
    connect(m_shell, &TransferShell::statisticsResetRequested, m_table, &table::TableSession::StatistikZuruecksetzen);
    connect(m_shell, &TransferShell::memoryOptionsRelabelRequested, m_table, &table::TableSession::relabelOptions);
    connect(m_shell, &TransferShell::limitsCaptionRequested, m_table, &table::TableSession::GrenzwerteAnzeigen);
    connect(m_shell, &TransferShell::viewRefreshRequested, m_table, &table::TableSession::AnsichtAktualisieren);
    // At the end nothing may open the port again or send to the gauge, not even a read still waiting.
    connect(m_shell, &TransferShell::closePortRequested, m_link, &instrument::LinkSession::shutdown);
    connect(m_shell, &TransferShell::savedPortLoaded, m_link, &instrument::LinkSession::ComboPort_Change);
}

// The connect sequence hands over to the memory read; the line's events go to the reader.
void TransferSession::connectLink()
{
    using instrument::LinkSession;
    connect(m_link, &LinkSession::identified, m_reader, &instrument::MemoryReader::updateReadButtons);
    connect(m_link, &LinkSession::messartRequested, m_table, &table::TableSession::setMessart);
    connect(m_link, &LinkSession::readRequested, this, &TransferSession::readAfterConnect);
    connect(m_link, &LinkSession::limitsCaptionRequested, m_table, &table::TableSession::GrenzwerteAnzeigen);
    connect(m_link, &LinkSession::received, m_reader, &instrument::MemoryReader::reception);
    connect(m_link, &LinkSession::commandsWithoutGauge, m_table, &table::TableSession::enableAvailableCommands);
    connect(m_link, &LinkSession::onlineRequested, m_online, &instrument::OnlineReceiver::optOnline_Click);
}

// The memory read fills the table: the link is the source, the table the sink.
void TransferSession::connectReader()
{
    using instrument::MemoryReader;
    table::TableSession* t = m_table;
    connect(m_reader, &MemoryReader::messartRequested, t, &table::TableSession::setMessart);
    connect(m_reader, &MemoryReader::transferStarting, t, &table::TableSession::prepareTransfer);
    connect(m_reader, &MemoryReader::decodingStarted, t, [t] { t->grid().beginBatch(); });
    connect(m_reader, &MemoryReader::messwert, t, &table::TableSession::take);
    connect(m_reader, &MemoryReader::decodingFinished, t, [t] { t->grid().endBatch(); });
    connect(m_reader, &MemoryReader::viewCleared, t, qOverload<int>(&table::TableSession::MessdatenLoeschen));
    connect(m_reader, &MemoryReader::viewRequested, t, &table::TableSession::showView);
    connect(m_reader, &MemoryReader::lastRowRequested, t, &table::TableSession::LetzteZeileZeigen);
    connect(m_reader, &MemoryReader::onlineRequested, m_online, &instrument::OnlineReceiver::optOnline_Click);
    connect(m_reader, &MemoryReader::onlineEndRequested, m_online, &instrument::OnlineReceiver::endByUser);
}

// Online values go to the table's queue one by one; once taken, "E" values are on disk in Online.mes before anything
// else happens, and so is every change of the online rows. The table's online view restarts online.
void TransferSession::connectOnline()
{
    using instrument::OnlineReceiver;
    table::TableSession* t = m_table;
    connect(m_link, &instrument::LinkSession::received, m_online, &OnlineReceiver::reception);
    connect(m_online, &OnlineReceiver::messartRequested, t, &table::TableSession::setMessart);
    connect(m_online, &OnlineReceiver::viewStarting, t, &table::TableSession::showOnlineView);
    connect(m_online, &OnlineReceiver::messwert, t, &table::TableSession::take);
    connect(t, &table::TableSession::valueTaken, this, &TransferSession::saveOnlineView);
    connect(t, &table::TableSession::rowsChanged, this, &TransferSession::saveOnlineView);
    connect(t, &table::TableSession::onlineViewRequested, m_online, &OnlineReceiver::optOnline_Click);
}

void TransferSession::saveOnlineView(int view)
{
    // "V" instruments' values are not saved on their own.
    if (view == 2 && m_st.edition.deviceLine != QLatin1String("V"))
        m_export->saveOnline();
}

// Keystroke forwarding: the dialog's settings are saved and its program started; each online row is typed.
void TransferSession::connectKeystrokes()
{
    using table::TastaturSender;
    connect(m_shell, &shell::TransferShell::keystrokeTargetStartRequested, m_tastaturSender,
            &TastaturSender::anwendungStarten);
    connect(m_tastaturForm, &table::TastaturForm::settingsConfirmed, m_shell,
            [this] { m_shell->Voreinstellungen(QStringLiteral("TS")); });
    connect(m_tastaturForm, &table::TastaturForm::startRequested, m_tastaturSender, &TastaturSender::anwendungStarten);
    connect(m_table, &table::TableSession::onlineRowAppended, this, &TransferSession::sendOnlineRow);
}

// The File menu's inspection report is there exactly when its button beside the outputs is.
void TransferSession::connectExport()
{
    shell::FormState& f = m_st.main();
    connect(&f, &shell::FormState::changed, this, [&f](const QString& name) {
        if (name == ctl::frmTransfer::cmdBericht)
            f.setEnabled(ctl::frmTransfer::mnuBericht, f.isEnabled(name));
    });
}

// Every series shown is kept in the archive: memory reads when decoded, online values as their rows appear, files
// opened, and a new version after an edit. The archive is opened by the first series (or the history window).
void TransferSession::connectArchive()
{
    ArchiveRecorder* a = m_archive;
    connect(m_reader, &instrument::MemoryReader::transferStarting, a, &ArchiveRecorder::memoryTransferStarting);
    connect(m_reader, &instrument::MemoryReader::decodingFinished, a, &ArchiveRecorder::memoryDecoded);
    connect(m_online, &instrument::OnlineReceiver::runStarted, a, &ArchiveRecorder::onlineRunStarted);
    connect(m_table, &table::TableSession::rowAppended, a, &ArchiveRecorder::rowAppended);
    connect(m_table, &table::TableSession::rowsChanged, a, &ArchiveRecorder::rowsChanged);
    connect(m_export, &reports::ExportSession::fileLoaded, a, &ArchiveRecorder::fileLoaded);
    connect(m_export, &reports::ExportSession::fileSaved, a, &ArchiveRecorder::fileSaved);
}

// With a server in Server.ini, what the archive keeps is uploaded in the background: after start-up, whenever a
// series is added or an online run ends, and by the timer; the server's answers come back here.
void TransferSession::connectServer()
{
    ServerSync* s = m_server;
    archive::ServerUploader* up = &s->uploader();
    connect(m_shell, &shell::TransferShell::savedPortLoaded, s, &ServerSync::start);
    connect(m_archive, &ArchiveRecorder::listChanged, s, &ServerSync::uploadNow);
    connect(m_online, &instrument::OnlineReceiver::runStarted, s, &ServerSync::uploadNow);
    connect(m_online, &instrument::OnlineReceiver::receptionEnded, s, &ServerSync::uploadNow);
    connect(up, &archive::ServerUploader::uploaded, s, &ServerSync::markUploaded);
    connect(up, &archive::ServerUploader::passFinished, s, &ServerSync::passFinished);
}

void TransferSession::sendOnlineRow(int row)
{
    const table::MessRow& m = m_table->Messdaten.at(2, row);
    m_tastaturSender->zeileSenden({m.nr, m.datum, table::WertFormatieren(m.wert, m.einheit), m.einheit, m.material});
}

void TransferSession::readAfterConnect()
{
    switch (m_afterConnect) {
    case AfterConnect::ReadAll:
        m_reader->ReadAllMemories();
        break;
    case AfterConnect::ReadMemory1:
        m_reader->cmdLesFE_Click();
        break;
    case AfterConnect::ReadMemory2:
        m_reader->cmdLesNFE_Click();
        break;
    case AfterConnect::Nothing:
        break;
    }
}

} // namespace session
