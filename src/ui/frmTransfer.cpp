#include "frmTransfer.h"

#include "FormBinder.h"
#include "QtDialogs.h"
#include "Widgets.h"
#include "frmInfo.h"
#include "frmWait.h"
#include "link/TransferSession.h"
#include "shell/Settings.h"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

namespace ui {

namespace {

QFont monospace(int pointSize = -1)
{
    QFont f(QStringLiteral("Lucida Console"));
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    if (pointSize > 0)
        f.setPointSize(pointSize);
    return f;
}

} // namespace

frmTransfer::frmTransfer(const QString& appPath, shell::Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), m_session(new instrument::TransferSession(this)), m_st(m_session->state()),
      m_shell(&m_session->shell())
{
    setObjectName(QStringLiteral("frmTransfer"));
    m_st.appPath = appPath.isEmpty() ? QCoreApplication::applicationDirPath() : appPath;
    if (dialogs) {
        m_st.dialogs = dialogs;
    } else {
        m_ownDialogs = std::make_unique<QtDialogs>(this);
        m_st.dialogs = m_ownDialogs.get();
    }
    m_table = &m_session->table();
    m_export = &m_session->exporter();
    m_link = &m_session->link();

    buildUi();
    buildMenus();
    m_binder = new FormBinder(m_st.main(), this);
    m_wait = new frmWait(m_st.forms[QStringLiteral("frmWait")], this);
    m_info = new frmInfo(m_st, this);
    wireHandlers();

    shell::ShellHooks& h = m_shell->hooks();
    h.clearClipboard = [] {
        if (QClipboard* cb = QGuiApplication::clipboard())
            cb->clear();
    };
    h.showInfoWindow = [this] { m_info->exec(); };
    h.openDocument = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    h.quit = [this] { requestQuit(); };

    wireTable();
    wireExport();
    wireLink();
}

frmTransfer::~frmTransfer() = default;

void frmTransfer::buildUi()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* root = new QHBoxLayout(central);

    // Left: maker, instrument picture and memory display, connection.
    auto* left = new QVBoxLayout;
    auto* frame5 = named<QGroupBox>(central, "Frame5");
    auto* f5 = new QVBoxLayout(frame5);
    auto* picKova = named<QLabel>(frame5, "picKova");
    picKova->setFixedHeight(fontMetrics().height() * 4);
    picKova->setAlignment(Qt::AlignCenter);
    f5->addWidget(picKova);
    left->addWidget(frame5);

    auto* picRahmen = named<QLabel>(central, "picRahmen");
    picRahmen->setMinimumSize(fontMetrics().height() * 12, fontMetrics().height() * 14);
    auto* rahmen = new QGridLayout(picRahmen);
    auto* picTC = named<QLabel>(picRahmen, "picTC");
    picTC->setFixedSize(fontMetrics().height() * 9, fontMetrics().height() * 12);
    rahmen->addWidget(picTC, 0, 0, Qt::AlignCenter);
    left->addWidget(picRahmen, 0, Qt::AlignHCenter);

    auto* txtSpeicher = named<QLabel>(central, "txtSpeicher");
    txtSpeicher->setAlignment(Qt::AlignCenter);
    txtSpeicher->setFont(monospace());
    left->addWidget(txtSpeicher);

    auto* frame2 = named<QGroupBox>(central, "Frame2");
    frame2->setTitle(QStringLiteral("Com-Port"));
    auto* f2 = new QGridLayout(frame2);
    auto* combo = named<QComboBox>(frame2, "ComboPort");
    combo->setEditable(true);
    combo->setFont(monospace());
    combo->setMinimumContentsLength(21);
    f2->addWidget(combo, 0, 0, 1, 2);
    f2->addWidget(button(frame2, "cmdConnect"), 1, 0, 1, 2);
    auto* picUsb = named<QLabel>(frame2, "picUsb");
    picUsb->setText(QStringLiteral("USB"));
    picUsb->setProperty("vtBaseStyle", QStringLiteral("border:1px solid #1f8a8a; border-radius:4px; padding:1px 6px;"));
    auto* picBth = named<QLabel>(frame2, "picBth");
    picBth->setText(QStringLiteral("Bluetooth"));
    picBth->setProperty("vtBaseStyle", QStringLiteral("border:1px solid #1d4e89; border-radius:4px; padding:1px 6px;"));
    auto* symbols = new QHBoxLayout;
    symbols->addWidget(picUsb);
    symbols->addWidget(picBth);
    symbols->addStretch(1);
    f2->addLayout(symbols, 2, 0, 1, 2);
    auto* txtWait = named<QLabel>(frame2, "txtWait");
    txtWait->setWordWrap(true);
    f2->addWidget(txtWait, 3, 0, 1, 2);
    left->addWidget(frame2);

    auto* reads = new QGridLayout;
    reads->addWidget(button(central, "cmdLesen"), 0, 0, 1, 2);
    reads->addWidget(button(central, "cmdLesFE", QStringLiteral("FE")), 1, 0);
    reads->addWidget(button(central, "cmdLesNFE", QStringLiteral("NFE")), 1, 1);
    reads->addWidget(button(central, "cmdStop"), 2, 0, 1, 2);
    left->addLayout(reads);
    left->addStretch(1);
    root->addLayout(left, 0);

    // Middle: the table and its views.
    auto* frame3 = named<QGroupBox>(central, "Frame3");
    auto* f3 = new QVBoxLayout(frame3);
    auto* views = new QHBoxLayout;
    views->addWidget(named<QRadioButton>(frame3, "optFE"));
    views->addWidget(named<QRadioButton>(frame3, "optNFE"));
    views->addWidget(named<QRadioButton>(frame3, "optOnline"));
    views->addStretch(1);
    f3->addLayout(views);
    auto* grid = named<QTableView>(frame3, "MSFlex");
    grid->setFont(monospace());
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->hide();
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Room for the four columns and the scroll bar, so no horizontal scrolling is needed.
    grid->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 58);
    grid->horizontalHeader()->setStretchLastSection(true);
    f3->addWidget(grid, 1);
    root->addWidget(frame3, 1);

    // Right: statistics or chart, commands, copy targets.
    auto* right = new QVBoxLayout;
    // The statistics list and the chart share one area that keeps its place while both are hidden.
    auto* statArea = new QWidget(central);
    auto* statLayout = new QVBoxLayout(statArea);
    statLayout->setContentsMargins(0, 0, 0, 0);
    auto* stat = named<QListWidget>(statArea, "lstStat");
    stat->setFont(monospace());
    stat->setSelectionMode(QAbstractItemView::NoSelection);
    stat->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 34);
    statLayout->addWidget(stat, 1);
    auto* chart = named<QChartView>(statArea, "MSChart1");
    chart->setMinimumHeight(fontMetrics().height() * 12);
    statLayout->addWidget(chart, 1);
    statArea->setMinimumHeight(fontMetrics().height() * 14);
    right->addWidget(statArea, 1);
    auto* chartRow = new QHBoxLayout;
    chartRow->addWidget(named<QLabel>(central, "txtMittelwert"), 1);
    chartRow->addWidget(button(central, "cmdChart", QStringLiteral("Chart")));
    chartRow->addWidget(button(central, "cmdGross", QStringLiteral("+")));
    chartRow->addWidget(button(central, "cmdAbs", QStringLiteral("Abs")));
    right->addLayout(chartRow);

    auto* frame1 = named<QGroupBox>(central, "Frame1");
    auto* f1 = new QGridLayout(frame1);
    f1->addWidget(button(frame1, "cmdOpen"), 0, 0);
    f1->addWidget(button(frame1, "cmdSave"), 0, 1);
    f1->addWidget(button(frame1, "cmdWerte"), 1, 0, 1, 2);
    f1->addWidget(button(frame1, "cmdProjekt"), 2, 0);
    f1->addWidget(button(frame1, "cmdSort", QStringLiteral("Sort")), 2, 1);
    f1->addWidget(button(frame1, "cmdFlexZeileLoeschen"), 3, 0);
    f1->addWidget(button(frame1, "cmdFlexTabelleloeschen"), 3, 1);
    f1->addWidget(button(frame1, "cmdEnde"), 4, 0, 1, 2);
    right->addWidget(frame1);

    auto* frame4 = named<QGroupBox>(central, "Frame4");
    auto* f4 = new QGridLayout(frame4);
    f4->addWidget(button(frame4, "cmdClipboard", QStringLiteral("Clipboard")), 0, 0);
    f4->addWidget(button(frame4, "cmdprint"), 0, 1);
    f4->addWidget(button(frame4, "cmdWord", QStringLiteral("Writer")), 1, 0);
    f4->addWidget(button(frame4, "cmdExcel", QStringLiteral("Calc")), 1, 1);
    right->addWidget(frame4);
    root->addLayout(right, 0);

    resize(fontMetrics().height() * 70, fontMetrics().height() * 40);
}

void frmTransfer::buildMenus()
{
    auto* bar = menuBar();
    auto* mnuDatei = bar->addMenu(QString());
    mnuDatei->setObjectName(QStringLiteral("mnuDatei"));
    auto* mnuEnd = mnuDatei->addAction(QString());
    mnuEnd->setObjectName(QStringLiteral("mnuEnd"));
    mnuEnd->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    mnuEnd->setShortcutContext(Qt::ApplicationShortcut);

    auto* language = bar->addMenu(QString());
    language->setObjectName(QStringLiteral("Language"));
    auto* english = language->addAction(QString());
    english->setObjectName(QStringLiteral("English"));
    english->setCheckable(true);
    auto* german = language->addAction(QString());
    german->setObjectName(QStringLiteral("German"));
    german->setCheckable(true);

    auto* keys = bar->addAction(QString());
    keys->setObjectName(QStringLiteral("mnuTastaturevent"));

    auto* help = bar->addMenu(QString());
    help->setObjectName(QStringLiteral("mnuHelp"));
    auto* info = help->addAction(QString());
    info->setObjectName(QStringLiteral("mnuInfo"));
    auto* manual = help->addAction(QString());
    manual->setObjectName(QStringLiteral("mnuHelp1"));
    manual->setShortcut(QKeySequence(Qt::Key_F1));
    manual->setShortcutContext(Qt::ApplicationShortcut);

    // QActions made by addAction are children of their menus; the binder searches the window tree.
    for (QAction* a : {mnuEnd, english, german, keys, info, manual})
        if (!a->parent())
            a->setParent(this);
}

void frmTransfer::wireHandlers()
{
    auto action = [this](const char* name) { return findChild<QAction*>(QString::fromLatin1(name)); };
    auto btn = [this](const char* name) { return findChild<QPushButton*>(QString::fromLatin1(name)); };
    shell::TransferShell* sh = m_shell;

    connect(action("mnuEnd"), &QAction::triggered, this, [sh] { sh->mnuEnd_Click(); });
    connect(action("English"), &QAction::triggered, this, [sh] { sh->English_Click(); });
    connect(action("German"), &QAction::triggered, this, [sh] { sh->German_Click(); });
    connect(action("mnuInfo"), &QAction::triggered, this, [sh] { sh->mnuInfo_Click(); });
    connect(action("mnuHelp1"), &QAction::triggered, this, [sh] { sh->mnuHelp1_Click(); });
    connect(action("mnuTastaturevent"), &QAction::triggered, this, [sh] { sh->mnuTastaturevent_Click(); });
    connect(btn("cmdEnde"), &QPushButton::clicked, this, [sh] { sh->cmdEnde_Click(); });

    connect(&m_st.main(), &shell::FormState::changed, this, [this](const QString& name) {
        if (name == QLatin1String("txtSpeicher"))
            applyDisplayLook();
    });
}

void frmTransfer::applyDisplayLook()
{
    auto* display = findChild<QLabel*>(QStringLiteral("txtSpeicher"));
    const bool large = m_st.main().prop(QStringLiteral("txtSpeicher"), QStringLiteral("large")).toBool();
    QFont f = display->font();
    f.setPointSize(large ? 12 : QApplication::font().pointSize());
    f.setBold(large);
    display->setFont(f);
    display->setMinimumHeight(display->fontMetrics().height() * (large ? 2 : 1) + 6);
    const QColor fore = m_st.main().control(QStringLiteral("txtSpeicher")).foreColor;
    if (!fore.isValid())
        m_st.main().setForeColor(QStringLiteral("txtSpeicher"), QColor(255, 255, 255));
}

bool frmTransfer::Form_Load()
{
    const bool ok = m_shell->startup();
    if (!ok)
        return false;
    if (!m_st.windowIconPath.isEmpty()) {
        const QIcon icon(m_st.windowIconPath);
        for (QWidget* w : std::initializer_list<QWidget*>{this, m_wait, m_info})
            w->setWindowIcon(icon);
    }
    if (m_ownDialogs)
        m_ownDialogs->applicationTitle = m_st.pgmname;
    m_binder->applyAll();
    applyDisplayLook();
    return true;
}

void frmTransfer::requestQuit()
{
    if (m_quitRequested)
        return;
    m_quitRequested = true;
    emit quitting();
    close();
}

void frmTransfer::closeEvent(QCloseEvent* event)
{
    if (!m_quitRequested)
        m_shell->Form_QueryUnload();
    event->accept();
}

} // namespace ui
