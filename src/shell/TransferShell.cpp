#include "TransferShell.h"

#include "Commands.h"
#include "Edition.h"
#include "FirstStart.h"
#include "MemoryNames.h"
#include "Numbers.h"
#include "Settings.h"
#include "TextFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

namespace Main = ctl::frmTransfer;
namespace Wait = ctl::frmWait;
namespace Werte = ctl::frmWerte;
namespace Projekt = ctl::frmProjekt;

namespace shell {

namespace {

QString generalDateTime(const QDateTime& when)
{
    return Numbers::shortDate(when.date()) + QLatin1Char(' ') + when.time().toString(QStringLiteral("HH:mm:ss"));
}

// Set while an instance of this process holds the lock (the tests run several in one process).
bool s_lockHeldHere = false;

// A lock file holds a few short lines.
constexpr qint64 kMaxLockBytes = 4096;

// The command name of a process (what the system shows for it); empty when there is no such process.
QByteArray commandOf(const QString& pid)
{
    QByteArray name;
    return TextFile::readBytes(QStringLiteral("/proc/") + pid + QStringLiteral("/comm"), name, 256).ok ? name.trimmed()
                                                                                                       : QByteArray();
}

// Whatever stands where the lock belongs and cannot be one (a FIFO, a device, a link, a large file) is removed
// before the lock is taken: reading it would block or fill the memory.
void removeNonLock(const QString& path)
{
    struct stat st {
    };
    const QByteArray name = QFile::encodeName(path);
    if (::lstat(name.constData(), &st) == 0 && (!S_ISREG(st.st_mode) || st.st_size > kMaxLockBytes))
        ::unlink(name.constData());
}

// A lock is stale unless it names a running instance of this program on this machine: no or garbage content (a
// crash or a full disk), a process that ended or is another program (ids are reused), or this very process while
// no instance here holds it (new process-id namespaces, in containers and sandboxes, hand out the same ids).
bool lockIsStale(const QLockFile& lock, qint64& holder)
{
    QString host;
    QString app;
    holder = 0;
    if (!lock.getLockInfo(&holder, &host, &app)) {
        // An instance starting this very moment has created the file and not yet written it.
        QThread::msleep(100);
        if (!lock.getLockInfo(&holder, &host, &app))
            return true;
    }
    if (holder <= 0 || host != QSysInfo::machineHostName())
        return true;
    if (holder == QCoreApplication::applicationPid())
        return !s_lockHeldHere;
    const QByteArray command = commandOf(QString::number(holder));
    return command.isEmpty() || command != commandOf(QStringLiteral("self"));
}

} // namespace

TransferShell::TransferShell(AppState& st, QObject* parent) : QObject(parent), m_st(st) {}

TransferShell::~TransferShell()
{
    if (m_instanceLock && m_instanceLock->isLocked())
        s_lockHeldHere = false;
}

QString TransferShell::machineBase()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString TransferShell::userBase()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

void TransferShell::Voreinstellungen(const QString& aktion)
{
    m_st.aktion = aktion;
    Settings::Voreinstellungen(m_st, m_st.aktion);
}

bool TransferShell::startup(const StartupOptions& options)
{
    AppState& st = m_st;
    if (st.edition.appPath.isEmpty() && QCoreApplication::instance())
        st.edition.appPath = QCoreApplication::applicationDirPath();
    st.edition.versnr = QStringLiteral("V3.1");

    // A second instance ends before it touches any file: the first one owns the log and the settings.
    if (options.singleInstance) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        QDir().mkpath(runtime);
        const QString lockPath = runtime + QStringLiteral("/VarnotekTransfer.lock");
        removeNonLock(lockPath);
        m_instanceLock = std::make_unique<QLockFile>(lockPath);
        m_instanceLock->setStaleLockTime(0);
        qint64 holder = 0;
        if (!m_instanceLock->tryLock(0) && lockIsStale(*m_instanceLock, holder)) {
            m_instanceLock->removeStaleLockFile();
            m_instanceLock->tryLock(0);
        }
        if (!m_instanceLock->isLocked() && m_instanceLock->error() != QLockFile::LockFailedError) {
            // The runtime folder takes no lock: one instance cannot be told from two, so this one runs.
            m_instanceLock.reset();
        } else if (!m_instanceLock->isLocked()) {
            m_instanceLock.reset();
            // Before the language is known: both languages.
            st.messageBox(QStringLiteral("Varnotek TRANSFER läuft bereits (Prozess %1); dieser Start endet.\n"
                                         "Varnotek TRANSFER is already running (process %1); this start ends.")
                              .arg(holder),
                          Dialogs::Buttons::Ok, Dialogs::Icon::Information, QStringLiteral("Varnotek TRANSFER"));
            emit quitRequested();
            return false;
        }
        s_lockHeldHere = m_instanceLock != nullptr;
    }

    hideUntilNeeded();
    // The edition decides the title, the folders and what the link may do, so everything else waits for it.
    const QString konfiError = readEdition(options);
    showEdition();
    const QStringList brandingErrors = applyBranding();
    const QStringList setupErrors = makeDataFolders();
    startLog(options, konfiError, setupErrors);
    for (const QString& error : brandingErrors)
        st.WriteLog(error);
    applyCapabilities();
    showFrame();
    loadUserSettings(options);
    // Texts are needed by everything shown from here on.
    st.texte.LoadMessageTable(st.edition.programTitle);
    ApplyCaptions();
    Commands::DisableCommands(st.main());
    listPorts();
    showIdle();
    return true;
}

// Results, chart, read buttons: nothing to show before a gauge is connected.
void TransferShell::hideUntilNeeded()
{
    FormState& f = m_st.main();
    f.setVisible(Main::cmdCancel, false);
    for (const QString& name : {Main::lstStat, Main::MSChart1, Main::cmdChart, Main::cmdAbs, Main::cmdGross,
                                Main::txtMittelwert, Main::cmdLesNFE, Main::cmdLesFE, Main::cmdLesen})
        f.setVisible(name, false);
    f.setVisible(Main::txtSpeicher, true);
    f.setForeColor(Main::txtWait, QColor(0, 0, 255));
    m_st.link.SchalterStop = false;
}

// Reads Konfi.ini. The log folder is not known yet, so an error line is handed back for the log.
QString TransferShell::readEdition(const StartupOptions& options)
{
    AppState& st = m_st;
    const QString before = st.Errortext;
    st.Errortext.clear();
    Voreinstellungen(QStringLiteral("KL"));
    const QString konfiError = st.Errortext;
    if (konfiError.isEmpty())
        st.Errortext = before;
    if (!options.edition.isEmpty())
        st.device.geraet = options.edition;
    return konfiError;
}

// Title, model picture and the size of the memory display.
void TransferShell::showEdition()
{
    AppState& st = m_st;
    FormState& f = st.main();
    f.setLarge(Main::txtSpeicher, false);
    f.setBackColor(Main::txtSpeicher, QColor(64, 64, 64));
    if (!Edition::chooseEdition(st))
        return;
    f.setPicture(Main::picTC, st.edition.appPath + QLatin1Char('/') + st.edition.modelPicture);
    if (st.edition.largeDisplay) {
        f.setLarge(Main::txtSpeicher, true);
        f.setBackColor(Main::txtSpeicher, QColor(120, 127, 122));
        f.setForeColor(Main::txtSpeicher, QColor(0, 0, 0));
    }
}

// The maker's or the partner's logo, name and icon. The partner's title replaces the model title. The names
// become folder names: one that is no single folder name (a separator, "..") is not taken, with a message, so
// settings never go outside the data folders. Returns the messages, for the log.
QStringList TransferShell::applyBranding()
{
    EditionInfo& e = m_st.edition;
    FormState& f = m_st.main();
    QStringList errors;
    const auto folderName = [&](const QString& name, const QString& instead) {
        bool single = name != QLatin1String(".") && name != QLatin1String("..");
        for (const QChar c : name)
            single &= c != QLatin1Char('/') && c != QLatin1Char('\\') && c.unicode() >= 0x20;
        if (single)
            return name;
        errors << m_st.say(shell::Phrase::KonfiFolderNotSingle).arg(TextFile::showControls(name), instead);
        m_st.messageBox(errors.last(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
        return instead;
    };
    if (!e.variantCode.isEmpty())
        e.companyName = folderName(e.companyName, QStringLiteral("Varnotek"));
    if (e.variantCode.isEmpty()) {
        e.companyName = QStringLiteral("Varnotek");
        f.setPicture(Main::picKova, e.appPath + QStringLiteral("/Kovalogo.jpg"));
        f.setVisible(Main::picKova, true);
        f.setText(Main::Frame5, QStringLiteral("Varnotek GmbH"));
    } else if (e.variantCode == QLatin1String("BR")) {
        f.setText(Main::Frame5, e.companyName);
        f.setPicture(Main::picKova, e.appPath + QStringLiteral("/Selmarlogo.jpg"));
        f.setVisible(Main::picKova, true);
        e.pgmname = folderName(e.kpgmname, e.pgmname);
        e.windowIconPath = e.appPath + QStringLiteral("/Selmar.ico");
    } else {
        f.setText(Main::Frame5, QStringLiteral("Varnotek GmbH"));
    }
    if (m_st.dialogs)
        m_st.dialogs->applicationTitle = e.pgmname;
    return errors;
}

// There is no installer here: what one would have set up for the user is done on every start, where missing,
// before anything reads Projekt.ini or looks for a manual. Returns what could not be done, for the log.
QStringList TransferShell::makeDataFolders()
{
    EditionInfo& e = m_st.edition;
    e.AppDataPath = machineBase() + QLatin1Char('/') + e.companyName + QLatin1Char('/') + e.pgmname;
    e.MessDataPath = userBase() + QLatin1Char('/') + e.companyName + QLatin1Char('/') + e.pgmname;
    if (m_st.settingsReadOnly) {
        // A scripted run only needs the folder of its log.
        QDir().mkpath(e.AppDataPath);
        QDir().mkpath(e.MessDataPath);
        return {};
    }
    return FirstStart::run({e.AppDataPath, e.MessDataPath, e.appPath}).failed;
}

// The log holds only this run: it is emptied and starts with the folders found.
void TransferShell::startLog(const StartupOptions& options, const QString& konfiError, const QStringList& setupErrors)
{
    AppState& st = m_st;
    st.log.setFolder(st.edition.AppDataPath);
    if (options.startLog) {
        st.log.DeleteLog();
        st.WriteLog(QStringLiteral("Logdatei ") + generalDateTime(QDateTime::currentDateTime()));
        st.WriteLog(QStringLiteral("App.Path = ") + st.edition.appPath);
        st.WriteLog(QStringLiteral("AppDataPath = ") + st.edition.AppDataPath);
        st.WriteLog(QStringLiteral("MessDataPath = ") + st.edition.MessDataPath);
    }
    if (!konfiError.isEmpty())
        st.WriteLog(konfiError);
    for (const QString& error : setupErrors)
        st.WriteLog(QStringLiteral("Einrichten: ") + error);
}

// What the instrument line can do; "V" instruments send no keystrokes, signed values have no 80/20 rule.
void TransferShell::applyCapabilities()
{
    AppState& st = m_st;
    FormState& f = st.main();
    Edition::setCapabilities(st);
    if (st.edition.deviceLine == QLatin1String("V")) {
        f.setEnabled(Main::mnuTastaturevent, false);
        f.setVisible(Main::mnuTastaturevent, false);
    }
    if (st.edition.signMode == QLatin1String("-")) {
        FormState& w = st.forms[Werte::form];
        for (const QString& name : {Werte::chk8020, Werte::cmdInfo}) {
            w.setEnabled(name, false);
            w.setVisible(name, false);
        }
    }
    f.setVisible(Main::cmdStop, false);
    st.edition.programTitle = st.edition.pgmname + QLatin1Char(' ') + st.edition.versnr;
    f.setCaption(st.edition.programTitle);
}

void TransferShell::showFrame()
{
    AppState& st = m_st;
    FormState& f = st.main();
    f.setPicture(Main::picRahmen, st.edition.appPath + QStringLiteral("/Rahmen.jpg"));
    f.setVisible(Main::picRahmen, true);
    f.setVisible(Main::picBth, false);
    f.setVisible(Main::picUsb, false);
    f.setVisible(Main::MSFlex, true);
    st.heuteDatum = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    if (st.desktop)
        st.desktop->clearClipboard();
}

// The table's views are named from the start, so the user sees where an opened file goes; the identification
// renames them for the gauge found. A gauge without memory has only the online view.
void TransferShell::showMemoryOptions()
{
    AppState& st = m_st;
    FormState& f = st.main();
    const QString mode = Numbers::trimBlanks(st.device.memoryMode);
    const bool noMemory = mode.startsWith(QLatin1Char('X'));
    const bool oneMemory = mode == QLatin1String("1") || mode == QLatin1String("3");
    f.setVisible(Main::optFE, !noMemory);
    f.setVisible(Main::optNFE, !noMemory && !oneMemory);
    f.setVisible(Main::optOnline, true);
    // The memory number of a "3" gauge is known only after the identification.
    const QString first = mode == QLatin1String("3") ? st.msg(Msg::Memory) : memoryName(st, 0);
    f.setText(Main::optFE, first + QStringLiteral(" (0)"));
    f.setText(Main::optNFE, memoryName(st, 1) + QStringLiteral(" (0)"));
    f.setText(Main::optOnline, memoryName(st, 2) + QStringLiteral(" (0)"));
}

// Language and keystroke forwarding; the receiving program of forwarding is started once, here.
void TransferShell::loadUserSettings(const StartupOptions& options)
{
    AppState& st = m_st;
    if (options.sprache == 0 || options.sprache == 1)
        st.texte.sprache = options.sprache;
    else
        Voreinstellungen(QStringLiteral("SL"));
    Voreinstellungen(QStringLiteral("TL"));
    if (!st.keys.anwendung.isEmpty() && st.keys.tastaturAktiv && !st.keys.anwendungGestartet)
        emit keystrokeTargetStartRequested();
    if (st.texte.sprache > 1)
        st.texte.sprache = 1;
    emit languageChanged(st.texte.sprache);
}

// The port list is built behind the progress window; the saved port is put into the port box afterwards.
void TransferShell::listPorts()
{
    AppState& st = m_st;
    FormState& f = st.main();
    FormState& w = st.forms[Wait::form];
    w.setCaption(st.msg(Msg::ProgramTitle));
    w.setProgress(Wait::WaitBar, 0, 200);
    w.setText(Wait::Waitmessage, st.msg(Msg::PleaseWait));
    w.setVisible(Wait::Waitmessage, true);
    w.setVisible(Wait::form, true);
    f.setVisible(Main::ComboPort, false);
    f.setVisible(Main::cmdConnect, false);
    f.setText(Main::ComboPort, QString());
    emit portListRequested();
    Voreinstellungen(QStringLiteral("CL"));
    emit savedPortLoaded();
    w.setVisible(Wait::Waitmessage, false);
    w.setVisible(Wait::form, false);
}

// The idle, not connected window: table laid out, statistics reset, commands disabled until a connection.
void TransferShell::showIdle()
{
    AppState& st = m_st;
    FormState& f = st.main();
    emit tableLayoutRequested();
    showMemoryOptions();
    f.setVisible(Main::MSFlex, true);
    f.setVisible(Main::ComboPort, true);
    f.setVisible(Main::cmdConnect, true);
    if (f.text(Main::cmdConnect).trimmed().isEmpty())
        f.setText(Main::cmdConnect, st.cap(Cap::Connect));
    showLanguageChecks();
    emit statisticsResetRequested();
    st.link.transferComplete = false;
    st.onlineFileSaved = true;
    st.forms[Projekt::form].setText(Projekt::DTPDate, QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    Commands::DisableCommands(st.main());
    // Without a gauge a saved table can still be opened; connecting enables the rest.
    Commands::EnableAvailable(f, st.link.CheckConnect, false);
    st.absolut = true;
}

void TransferShell::ApplyCaptions()
{
    AppState& st = m_st;
    FormState& f = st.main();
    Texte& t = st.texte;
    t.LoadCaptionTable();
    const std::pair<const QString&, Cap> captions[] = {{Main::mnuDatei, Cap::File},
                                                       {Main::cmdOpen, Cap::Open},
                                                       {Main::cmdSave, Cap::Save},
                                                       {Main::cmdprint, Cap::Print},
                                                       {Main::mnuEnd, Cap::EndProgram},
                                                       {Main::cmdEnde, Cap::ExitButton},
                                                       {Main::Language, Cap::Language},
                                                       {Main::mnuTastaturevent, Cap::KeyEvents},
                                                       {Main::English, Cap::English},
                                                       {Main::German, Cap::German},
                                                       {Main::mnuHelp, Cap::Help},
                                                       {Main::mnuInfo, Cap::Info},
                                                       {Main::mnuHelp1, Cap::Manual},
                                                       {Main::cmdBericht, Cap::InspectionReport},
                                                       {Main::mnuBericht, Cap::InspectionReport}};
    for (const auto& [name, entry] : captions)
        f.setText(name, t.cap(entry));
    const std::pair<const QString&, Msg> buttons[] = {{Main::cmdProjekt, Msg::ProjectData},
                                                      {Main::cmdWerte, Msg::Limits},
                                                      {Main::cmdLesen, Msg::ReadStorage},
                                                      {Main::cmdFlexZeileLoeschen, Msg::DeleteRow},
                                                      {Main::cmdFlexTabelleloeschen, Msg::DeleteTable}};
    for (const auto& [name, entry] : buttons)
        f.setText(name, t.msg(entry));
    f.setText(Main::txtWait, st.link.CheckConnect ? t.cap(Cap::Connected) : t.msg(Msg::PleaseWait));
    f.setText(Main::txtSpeicher, t.msg(Msg::Ready));
    f.setText(Main::cmdStop, t.msg(Msg::Stop));
    f.setText(Main::cmdCancel, st.say(shell::Phrase::Cancel));
    f.setText(Main::Frame3, t.msg(Msg::Data));
    f.setText(Main::Frame1, t.msg(Msg::Commands));
    f.setText(Main::Frame4, t.msg(Msg::CopyDataTo));
    // The copy targets have no entries in the caption table.
    f.setText(Main::cmdClipboard, st.say(shell::Phrase::Clipboard));
    f.setText(Main::cmdWord, st.say(shell::Phrase::WordProcessor));
    f.setText(Main::cmdExcel, st.say(shell::Phrase::Spreadsheet));
}

void TransferShell::switchLanguage(int lang)
{
    m_st.texte.sprache = lang;
    emit languageChanged(lang);
    ApplyCaptions();
    emit tableLayoutRequested();
    emit memoryOptionsRelabelRequested();
    Voreinstellungen(QStringLiteral("SS"));
    Voreinstellungen(QStringLiteral("PI"));
    emit limitsCaptionRequested();
    if (m_st.link.CheckConnect)
        emit viewRefreshRequested();
    showLanguageChecks();
}

void TransferShell::showLanguageChecks()
{
    FormState& f = m_st.main();
    f.setChecked(Main::German, m_st.sprache() == 0);
    f.setChecked(Main::English, m_st.sprache() != 0);
}

void TransferShell::mnuHelp1_Click()
{
    AppState& st = m_st;
    const QString part = Edition::manualPart(st.device.geraet, st.edition.variantCode, QString());
    if (!part.isEmpty())
        st.helpFile = st.edition.AppDataPath +
                      (st.sprache() != 0 ? QStringLiteral("/EN_Manual_") : QStringLiteral("/DE_Manual_")) + part +
                      QStringLiteral("_TRANSFER.pdf");
    const QString& path = st.helpFile;
    const bool exists = !path.isEmpty() && QFileInfo(path).isFile();
    QString error;
    if (exists && st.desktop && st.desktop->openDocument(path, error))
        return;
    // A manual that is there but cannot be shown must not be reported missing: the user can still open it by hand.
    using Failure = Desktop::Failure;
    const Failure why = !exists ? Failure::NoFile : st.desktop ? st.desktop->lastFailure : Failure::NoProgram;
    if (path.isEmpty())
        st.WriteLog(QStringLiteral("Handbuch: keines zum Gerät ") + st.device.geraet);
    else
        st.WriteLog(QStringLiteral("Handbuch ") + path + QStringLiteral(": ") +
                    (error.isEmpty() ? QStringLiteral("Datei nicht vorhanden") : error));
    switch (why) {
    case Failure::NoProgram:
        st.messageBox(st.say(shell::Phrase::NoProgramToOpenPDF) + path);
        break;
    case Failure::ProgramFailed:
        st.messageBox(st.say(shell::Phrase::PdfProgramFailed) + path);
        break;
    default:
        if (st.sprache() != 0)
            st.messageBox(QStringLiteral("File ") + path + QStringLiteral(" not found "));
        else
            st.messageBox(QStringLiteral("Datei ") + path + QStringLiteral(" wurde nicht gefunden"));
    }
}

void TransferShell::mnuInfo_Click()
{
    if (!m_st.device.geraetesoftware.isEmpty() || m_st.link.CheckConnect) {
        emit infoWindowRequested();
        return;
    }
    m_st.messageBox(m_st.edition.programTitle, Dialogs::Buttons::Ok, Dialogs::Icon::Information,
                    QStringLiteral("Version"));
}

void TransferShell::mnuTastaturevent_Click()
{
    Voreinstellungen(QStringLiteral("TL"));
    emit tastaturDialogRequested();
}

void TransferShell::mnuEnd_Click()
{
    emit closePortRequested();
    emit quitRequested();
}

void TransferShell::Form_QueryUnload()
{
    emit closePortRequested();
    emit quitRequested();
}

} // namespace shell
