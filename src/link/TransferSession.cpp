#include "TransferSession.h"

#include "LinkSession.h"
#include "MemoryReader.h"
#include "QtSerialLayer.h"
#include "export/ExportSession.h"
#include "table/TableSession.h"

namespace instrument {

TransferSession::TransferSession(QObject* parent) : QObject(parent)
{
    m_shell = std::make_unique<shell::TransferShell>(m_st);
    shell::TransferShell* sh = m_shell.get();
    shell::ShellHooks& h = sh->hooks();

    m_table = new table::TableSession(m_st, this);
    table::TableSession* t = m_table;
    h.TabelleFormatieren = [t] { t->TabelleFormatieren(); };
    h.StatistikZuruecksetzen = [t] { t->StatistikZuruecksetzen(); };
    h.GrenzwerteAnzeigen = [t] { t->GrenzwerteAnzeigen(); };
    h.AnsichtAktualisieren = [t] { t->AnsichtAktualisieren(); };
    h.relabelMemoryOptions = [t] { t->relabelOptions(); };
    t->hooks().EnableCommands = [sh] { sh->EnableCommands(); };

    m_export = new reports::ExportSession(m_st, m_table, this);

    m_layer = new QtSerialLayer;
    m_link = new LinkSession(m_st, *sh, *m_layer, this);
    m_layer->setParent(m_link);
    LinkSession* link = m_link;
    h.enumeratePorts = [link] { link->enumeratePorts(); };
    h.closePort = [link] { link->closePort(); };

    m_reader = new MemoryReader(m_st, *sh, *link, *m_table, this);
    MemoryReader* reader = m_reader;
    link->hooks().updateReadButtons = [reader] { reader->updateReadButtons(); };
    link->hooks().readMemories = [reader] { reader->ReadAllMemories(); };
    link->hooks().reception = [reader](int code) { reader->reception(code); };
}

TransferSession::~TransferSession()
{
    m_link->closePort();
}

} // namespace instrument
