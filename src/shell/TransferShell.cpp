#include "TransferShell.h"

#include "Edition.h"
#include "Numbers.h"
#include "Settings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

namespace shell {

namespace {
const QString kMain = QStringLiteral("frmTransfer");
const QString kWait = QStringLiteral("frmWait");

QString generalDateTime(const QDateTime& when)
{
    return Numbers::shortDate(when.date()) + QLatin1Char(' ') + when.time().toString(QStringLiteral("HH:mm:ss"));
}
} // namespace

const QStringList& TransferShell::commandControls()
{
    static const QStringList names = {
        QStringLiteral("optNFE"),        QStringLiteral("optFE"),
        QStringLiteral("optOnline"),     QStringLiteral("cmdOpen"),
        QStringLiteral("cmdSave"),       QStringLiteral("cmdprint"),
        QStringLiteral("cmdWord"),       QStringLiteral("cmdClipboard"),
        QStringLiteral("cmdExcel"),      QStringLiteral("cmdLesNFE"),
        QStringLiteral("cmdLesFE"),      QStringLiteral("cmdLesen"),
        QStringLiteral("cmdEnde"),       QStringLiteral("cmdWerte"),
        QStringLiteral("cmdProjekt"),    QStringLiteral("cmdFlexTabelleloeschen"),
        QStringLiteral("cmdFlexZeileLoeschen"), QStringLiteral("cmdSort"),
        QStringLiteral("cmdChart"),      QStringLiteral("cmdAbs"),
        QStringLiteral("cmdGross"),
    };
    return names;
}

TransferShell::TransferShell(AppState& st, ShellHooks hooks) : m_st(st), m_hooks(std::move(hooks)) {}

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
    FormState& f = st.main();

    // 1
    if (st.appPath.isEmpty() && QCoreApplication::instance())
        st.appPath = QCoreApplication::applicationDirPath();
    st.versnr = QStringLiteral("V3.1");

    // 2: a second instance ends before it touches anything.
    if (options.singleInstance) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        QDir().mkpath(runtime);
        m_instanceLock = std::make_unique<QLockFile>(runtime + QStringLiteral("/VarnotekTransfer.lock"));
        m_instanceLock->setStaleLockTime(0);
        if (!m_instanceLock->tryLock(0)) {
            m_instanceLock.reset();
            call(m_hooks.quit);
            return false;
        }
    }

    // 3
    for (const char* name : {"lstStat", "MSChart1", "cmdChart", "cmdAbs", "cmdGross", "txtMittelwert", "cmdLesNFE",
                             "cmdLesFE", "cmdLesen"})
        f.setVisible(QString::fromLatin1(name), false);
    f.setVisible(QStringLiteral("txtSpeicher"), true);
    f.setForeColor(QStringLiteral("txtWait"), QColor(0, 0, 255));
    st.SchalterStop = false;

    // 4: the log folder is not known yet, so a Konfi.ini error line is kept for the log.
    QString konfiError;
    {
        const QString before = st.Errortext;
        st.Errortext.clear();
        Voreinstellungen(QStringLiteral("KL"));
        konfiError = st.Errortext;
        if (konfiError.isEmpty())
            st.Errortext = before;
    }
    if (!options.edition.isEmpty())
        st.geraet = options.edition;

    // 5, 6
    f.setProp(QStringLiteral("txtSpeicher"), QStringLiteral("large"), false);
    f.setBackColor(QStringLiteral("txtSpeicher"), QColor(64, 64, 64));
    if (Edition::chooseEdition(st)) {
        f.setProp(QStringLiteral("picTC"), QStringLiteral("picture"), st.appPath + QLatin1Char('/') + st.modelPicture);
        if (st.largeDisplay) {
            f.setProp(QStringLiteral("txtSpeicher"), QStringLiteral("large"), true);
            f.setBackColor(QStringLiteral("txtSpeicher"), QColor(120, 127, 122));
            f.setForeColor(QStringLiteral("txtSpeicher"), QColor(0, 0, 0));
        }
    }

    // 7
    if (st.variantCode.isEmpty()) {
        st.companyName = QStringLiteral("Varnotek");
        f.setProp(QStringLiteral("picKova"), QStringLiteral("picture"), st.appPath + QStringLiteral("/Kovalogo.jpg"));
        f.setVisible(QStringLiteral("picKova"), true);
        f.setText(QStringLiteral("Frame5"), QStringLiteral("Varnotek GmbH"));
    } else if (st.variantCode == QLatin1String("BR")) {
        f.setText(QStringLiteral("Frame5"), st.companyName);
        f.setProp(QStringLiteral("picKova"), QStringLiteral("picture"),
                  st.appPath + QStringLiteral("/Selmarlogo.jpg"));
        f.setVisible(QStringLiteral("picKova"), true);
        st.pgmname = st.kpgmname;
        st.windowIconPath = st.appPath + QStringLiteral("/Selmar.ico");
    } else {
        f.setText(QStringLiteral("Frame5"), QStringLiteral("Varnotek GmbH"));
    }
    if (st.dialogs)
        st.dialogs->applicationTitle = st.pgmname;

    // 8: there is no installer here, so the folders are made on first start.
    st.AppDataPath = machineBase() + QLatin1Char('/') + st.companyName + QLatin1Char('/') + st.pgmname;
    st.MessDataPath = userBase() + QLatin1Char('/') + st.companyName + QLatin1Char('/') + st.pgmname;
    QDir().mkpath(st.AppDataPath);
    QDir().mkpath(st.MessDataPath);

    // 9
    st.log.setFolder(st.AppDataPath);
    if (options.startLog) {
        st.log.DeleteLog();
        st.WriteLog(QStringLiteral("Logdatei ") + generalDateTime(QDateTime::currentDateTime()));
        st.WriteLog(QStringLiteral("App.Path = ") + st.appPath);
        st.WriteLog(QStringLiteral("AppDataPath = ") + st.AppDataPath);
        st.WriteLog(QStringLiteral("MessDataPath = ") + st.MessDataPath);
    }
    if (!konfiError.isEmpty())
        st.WriteLog(konfiError);

    // 10 - 12
    Edition::setCapabilities(st);
    if (st.deviceLine == QLatin1String("V")) {
        f.setEnabled(QStringLiteral("mnuTastaturevent"), false);
        f.setVisible(QStringLiteral("mnuTastaturevent"), false);
    }
    if (st.signMode == QLatin1String("-")) {
        FormState& w = st.forms[QStringLiteral("frmWerte")];
        for (const char* name : {"chk8020", "cmdInfo"}) {
            w.setEnabled(QString::fromLatin1(name), false);
            w.setVisible(QString::fromLatin1(name), false);
        }
    }

    // 13
    f.setVisible(QStringLiteral("cmdStop"), false);
    st.programTitle = st.pgmname + QLatin1Char(' ') + st.versnr;
    f.setCaption(st.programTitle);

    // 14
    f.setProp(QStringLiteral("picRahmen"), QStringLiteral("picture"), st.appPath + QStringLiteral("/Rahmen.jpg"));
    f.setVisible(QStringLiteral("picRahmen"), true);
    f.setVisible(QStringLiteral("picBth"), false);
    f.setVisible(QStringLiteral("picUsb"), false);
    f.setText(QStringLiteral("optFE"), QString());
    f.setText(QStringLiteral("optNFE"), QString());
    f.setVisible(QStringLiteral("MSFlex"), true);

    // 15, 16
    st.heuteDatum = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    call(m_hooks.clearClipboard);

    // 17, 18
    if (options.sprache == 0 || options.sprache == 1)
        st.texte.sprache = options.sprache;
    else
        Voreinstellungen(QStringLiteral("SL"));
    Voreinstellungen(QStringLiteral("TL"));
    if (!st.anwendung.isEmpty() && st.tastaturAktiv && !st.anwendungGestartet)
        call(m_hooks.startKeystrokeTarget);

    // 19 - 21
    if (st.texte.sprache > 1)
        st.texte.sprache = 1;
    st.texte.LoadMessageTable(st.programTitle);
    ApplyCaptions();
    DisableCommands();

    // 22 - 25
    FormState& w = st.forms[kWait];
    w.setCaption(st.msg(14));
    w.setProp(QStringLiteral("WaitBar"), QStringLiteral("max"), 200);
    w.setProp(QStringLiteral("WaitBar"), QStringLiteral("value"), 0);
    w.setText(QStringLiteral("Waitmessage"), st.msg(13));
    w.setVisible(QStringLiteral("Waitmessage"), true);
    w.setVisible(kWait, true);
    f.setVisible(QStringLiteral("ComboPort"), false);
    f.setVisible(QStringLiteral("cmdConnect"), false);
    f.setText(QStringLiteral("ComboPort"), QString());
    if (m_hooks.enumeratePorts) {
        m_hooks.enumeratePorts();
    } else {
        w.setProp(QStringLiteral("WaitBar"), QStringLiteral("value"), 200);
        w.setText(QStringLiteral("Waitmessage"), st.msg(17));
    }
    Voreinstellungen(QStringLiteral("CL"));
    w.setVisible(QStringLiteral("Waitmessage"), false);
    w.setVisible(kWait, false);
    call(m_hooks.TabelleFormatieren);
    f.setVisible(QStringLiteral("MSFlex"), true);
    f.setVisible(QStringLiteral("ComboPort"), true);
    f.setVisible(QStringLiteral("cmdConnect"), true);
    if (f.text(QStringLiteral("cmdConnect")).trimmed().isEmpty())
        f.setText(QStringLiteral("cmdConnect"), st.texte.cap(50));

    // 26 - 28
    showLanguageChecks();
    call(m_hooks.StatistikZuruecksetzen);
    st.transferComplete = false;
    st.onlineFileSaved = true;
    st.forms[QStringLiteral("frmProjekt")].setText(QStringLiteral("DTPDate"),
                                                   QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    DisableCommands();
    st.absolut = true;
    return true;
}

void TransferShell::ApplyCaptions()
{
    AppState& st = m_st;
    FormState& f = st.main();
    Texte& t = st.texte;
    t.LoadCaptionTable();
    const struct {
        const char* name;
        int entry;
    } captions[] = {{"mnuDatei", 0}, {"cmdOpen", 1},   {"cmdSave", 2},  {"cmdprint", 3},         {"mnuEnd", 4},
                    {"cmdEnde", 5},  {"Language", 30}, {"mnuTastaturevent", 45}, {"English", 31}, {"German", 32},
                    {"mnuHelp", 40}, {"mnuInfo", 41},  {"mnuHelp1", 42}};
    for (const auto& c : captions)
        f.setText(QString::fromLatin1(c.name), t.cap(c.entry));
    const struct {
        const char* name;
        int entry;
    } buttons[] = {{"cmdProjekt", 38}, {"cmdWerte", 39}, {"cmdLesen", 30}, {"cmdFlexZeileLoeschen", 40},
                   {"cmdFlexTabelleloeschen", 41}};
    for (const auto& b : buttons)
        f.setText(QString::fromLatin1(b.name), t.msg(b.entry));
    f.setText(QStringLiteral("txtWait"), st.CheckConnect ? t.cap(53) : t.msg(13));
    f.setText(QStringLiteral("txtSpeicher"), t.msg(42));
    f.setText(QStringLiteral("cmdStop"), t.msg(55));
    f.setText(QStringLiteral("Frame3"), t.msg(20));
    f.setText(QStringLiteral("Frame1"), t.msg(21));
    f.setText(QStringLiteral("Frame4"), t.msg(23));
}

void TransferShell::switchLanguage(int lang)
{
    m_st.texte.sprache = lang;
    ApplyCaptions();
    call(m_hooks.TabelleFormatieren);
    call(m_hooks.relabelMemoryOptions);
    Voreinstellungen(QStringLiteral("SS"));
    Voreinstellungen(QStringLiteral("PI"));
    call(m_hooks.GrenzwerteAnzeigen);
    if (m_st.CheckConnect)
        call(m_hooks.AnsichtAktualisieren);
    showLanguageChecks();
}

void TransferShell::showLanguageChecks()
{
    FormState& f = m_st.main();
    f.setChecked(QStringLiteral("German"), m_st.sprache() == 0);
    f.setChecked(QStringLiteral("English"), m_st.sprache() != 0);
}

void TransferShell::DisableCommands()
{
    for (const QString& name : commandControls())
        m_st.main().setEnabled(name, false);
}

void TransferShell::EnableCommands()
{
    for (const QString& name : commandControls())
        m_st.main().setEnabled(name, true);
}

void TransferShell::mnuHelp1_Click()
{
    AppState& st = m_st;
    const QString part = Edition::manualPart(st.geraet, st.variantCode, QString());
    if (!part.isEmpty())
        st.helpFile = st.AppDataPath + (st.sprache() != 0 ? QStringLiteral("/EN_Manual_") : QStringLiteral("/DE_Manual_")) +
                      part + QStringLiteral("_TRANSFER.pdf");
    const bool opened = !st.helpFile.isEmpty() && QFileInfo(st.helpFile).isFile() && m_hooks.openDocument &&
                        m_hooks.openDocument(st.helpFile);
    if (!opened) {
        if (st.sprache() != 0)
            st.messageBox(QStringLiteral("File ") + st.helpFile + QStringLiteral(" not found "));
        else
            st.messageBox(QStringLiteral("Datei ") + st.helpFile + QStringLiteral(" wurde nicht gefunden"));
    }
}

void TransferShell::mnuInfo_Click()
{
    if (!m_st.geraetesoftware.isEmpty() || m_st.CheckConnect) {
        call(m_hooks.showInfoWindow);
        return;
    }
    m_st.messageBox(m_st.programTitle, Dialogs::Buttons::Ok, Dialogs::Icon::Information, QStringLiteral("Version"));
}

void TransferShell::mnuTastaturevent_Click()
{
    Voreinstellungen(QStringLiteral("TL"));
    call(m_hooks.showTastaturDialog);
}

void TransferShell::mnuEnd_Click()
{
    call(m_hooks.closePort);
    call(m_hooks.quit);
}

void TransferShell::Form_QueryUnload()
{
    call(m_hooks.closePort);
    call(m_hooks.quit);
}

} // namespace shell
