#include "Program.h"

#include "link/LinkSession.h"
#include "shell/Controls.h"
#include "shell/TextFile.h"

std::unique_ptr<session::TransferSession> Program::make(Program& p, const QString& konfi, Line line)
{
    p.sandbox.writeKonfi(konfi.contains(QLatin1Char('\n')) ? konfi : konfi + QStringLiteral("\n#\n"));
    std::unique_ptr<instrument::SerialLayer> layer;
    if (line == Line::Fake)
        layer = std::make_unique<FakeLine>();
    auto s = std::make_unique<session::TransferSession>(p.dialogs, p.desktop, std::move(layer));
    s->state().edition.appPath = p.sandbox.appDir();
    return s;
}

Program::Program(const QString& konfi, const QByteArray& locale, Line line)
    : m_ownSandbox(std::make_unique<testsupport::Sandbox>(locale)), sandbox(*m_ownSandbox),
      session(make(*this, konfi, line)), st(session->state()), shell(&session->shell())
{
}

Program::Program(testsupport::Sandbox& existing, const QString& konfi, Line line)
    : sandbox(existing), session(make(*this, konfi, line)), st(session->state()), shell(&session->shell())
{
}

bool Program::start()
{
    return shell->startup();
}

void Program::connect(int com)
{
    main().takeTextFromUser(ctl::frmTransfer::ComboPort, QStringLiteral("COM%1").arg(com));
    session->link().ComboPort_Change();
    session->link().cmdConnect_Click();
}

std::vector<reports::MesReader::Row> Program::mesRows(const QString& path)
{
    const QString text = shell::TextFile::decode(testsupport::Sandbox::readFile(path));
    return reports::MesReader::parse(shell::TextFile::splitLines(text), QStringLiteral("1")).rows;
}

QString Program::log() const
{
    return shell::TextFile::decode(testsupport::Sandbox::readFile(st.log.path()));
}

QStringList Program::logLines() const
{
    return log().split("\r\n", Qt::SkipEmptyParts);
}
