#include "frmTransfer.h"

#include "FormBinder.h"
#include "Widgets.h"
#include "frmInfo.h"
#include "frmWait.h"
#include "session/TransferSession.h"
#include "shell/Wait.h"
#include "shell/Settings.h"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
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
#include <QVBoxLayout>

namespace Main = ctl::frmTransfer;
namespace Wait = ctl::frmWait;

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

frmTransfer::frmTransfer(session::TransferSession& session, QWidget* parent)
    : QMainWindow(parent), m_session(&session), m_st(session.state()), m_shell(&session.shell())
{
    setObjectName(Main::form);
    if (m_st.edition.appPath.isEmpty())
        m_st.edition.appPath = QCoreApplication::applicationDirPath();
    m_table = &m_session->table();
    m_export = &m_session->exporter();
    m_link = &m_session->link();

    buildUi();
    buildMenus();
    m_binder = new FormBinder(m_st.main(), this);
    m_wait = new frmWait(m_st.forms[Wait::form], this);
    m_info = new frmInfo(m_st, this);
    wireHandlers();
    connect(m_shell, &shell::TransferShell::infoWindowRequested, this, [this] { m_info->exec(); });
    connect(m_shell, &shell::TransferShell::quitRequested, this, &frmTransfer::requestQuit);

    wireTable();
    wireExport();
    wireLink();
    wireChart();
}

frmTransfer::~frmTransfer() = default;

void frmTransfer::buildUi()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* root = new QHBoxLayout(central);

    // Left: maker, instrument picture and memory display, connection.
    auto* left = new QVBoxLayout;
    auto* frame5 = named<QGroupBox>(central, Main::Frame5);
    auto* f5 = new QVBoxLayout(frame5);
    auto* picKova = named<QLabel>(frame5, Main::picKova);
    picKova->setFixedHeight(fontMetrics().height() * 4);
    picKova->setAlignment(Qt::AlignCenter);
    f5->addWidget(picKova);
    left->addWidget(frame5);

    auto* picRahmen = named<QLabel>(central, Main::picRahmen);
    picRahmen->setMinimumSize(fontMetrics().height() * 12, fontMetrics().height() * 14);
    auto* rahmen = new QGridLayout(picRahmen);
    auto* picTC = named<QLabel>(picRahmen, Main::picTC);
    picTC->setFixedSize(fontMetrics().height() * 9, fontMetrics().height() * 12);
    rahmen->addWidget(picTC, 0, 0, Qt::AlignCenter);
    left->addWidget(picRahmen, 0, Qt::AlignHCenter);

    auto* txtSpeicher = named<QLabel>(central, Main::txtSpeicher);
    txtSpeicher->setAlignment(Qt::AlignCenter);
    txtSpeicher->setFont(monospace());
    left->addWidget(txtSpeicher);

    auto* frame2 = named<QGroupBox>(central, Main::Frame2);
    frame2->setTitle(QStringLiteral("Com-Port"));
    auto* f2 = new QGridLayout(frame2);
    auto* combo = named<QComboBox>(frame2, Main::ComboPort);
    combo->setEditable(true);
    combo->setFont(monospace());
    combo->setMinimumContentsLength(21);
    f2->addWidget(combo, 0, 0, 1, 2);
    f2->addWidget(button(frame2, Main::cmdConnect), 1, 0, 1, 2);
    auto* picUsb = named<QLabel>(frame2, Main::picUsb);
    picUsb->setText(QStringLiteral("USB"));
    picUsb->setProperty("vtBaseStyle", QStringLiteral("border:1px solid #1f8a8a; border-radius:4px; padding:1px 6px;"));
    auto* picBth = named<QLabel>(frame2, Main::picBth);
    picBth->setText(QStringLiteral("Bluetooth"));
    picBth->setProperty("vtBaseStyle", QStringLiteral("border:1px solid #1d4e89; border-radius:4px; padding:1px 6px;"));
    auto* symbols = new QHBoxLayout;
    symbols->addWidget(picUsb);
    symbols->addWidget(picBth);
    symbols->addStretch(1);
    f2->addLayout(symbols, 2, 0, 1, 2);
    auto* txtWait = named<QLabel>(frame2, Main::txtWait);
    txtWait->setWordWrap(true);
    f2->addWidget(txtWait, 3, 0);
    // Every wait the status text describes can be ended here, as with Escape.
    auto* cancel = button(frame2, Main::cmdCancel);
    cancel->hide();
    f2->addWidget(cancel, 3, 1, Qt::AlignRight | Qt::AlignTop);
    left->addWidget(frame2);

    auto* reads = new QGridLayout;
    reads->addWidget(button(central, Main::cmdLesen), 0, 0, 1, 2);
    reads->addWidget(button(central, Main::cmdLesFE, QStringLiteral("FE")), 1, 0);
    reads->addWidget(button(central, Main::cmdLesNFE, QStringLiteral("NFE")), 1, 1);
    reads->addWidget(button(central, Main::cmdStop), 2, 0, 1, 2);
    left->addLayout(reads);
    left->addStretch(1);
    root->addLayout(left, 0);

    // Middle: the table and its views.
    auto* frame3 = named<QGroupBox>(central, Main::Frame3);
    auto* f3 = new QVBoxLayout(frame3);
    auto* views = new QHBoxLayout;
    views->addWidget(named<QRadioButton>(frame3, Main::optFE));
    views->addWidget(named<QRadioButton>(frame3, Main::optNFE));
    views->addWidget(named<QRadioButton>(frame3, Main::optOnline));
    views->addStretch(1);
    f3->addLayout(views);
    auto* grid = named<QTableView>(frame3, Main::MSFlex);
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
    auto* stat = named<QListWidget>(statArea, Main::lstStat);
    stat->setFont(monospace());
    stat->setSelectionMode(QAbstractItemView::NoSelection);
    stat->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 34);
    statLayout->addWidget(stat, 1);
    auto* chart = named<QChartView>(statArea, Main::MSChart1);
    chart->setMinimumHeight(fontMetrics().height() * 12);
    // As wide as the list, so the columns keep their widths when the two change places.
    chart->setMinimumWidth(stat->minimumWidth());
    statLayout->addWidget(chart, 1);
    // The mean under the chart: beside the chart buttons it would not fit the column's width.
    statLayout->addWidget(named<QLabel>(statArea, Main::txtMittelwert));
    statArea->setMinimumHeight(fontMetrics().height() * 14);
    right->addWidget(statArea, 1);
    auto* chartRow = new QHBoxLayout;
    chartRow->addWidget(button(central, Main::cmdChart, QStringLiteral("Chart")));
    chartRow->addWidget(button(central, Main::cmdGross, QStringLiteral("+")));
    chartRow->addWidget(button(central, Main::cmdAbs, QStringLiteral("Abs")));
    right->addLayout(chartRow);

    auto* frame1 = named<QGroupBox>(central, Main::Frame1);
    auto* f1 = new QGridLayout(frame1);
    f1->addWidget(button(frame1, Main::cmdOpen), 0, 0);
    f1->addWidget(button(frame1, Main::cmdSave), 0, 1);
    f1->addWidget(button(frame1, Main::cmdWerte), 1, 0, 1, 2);
    f1->addWidget(button(frame1, Main::cmdProjekt), 2, 0);
    f1->addWidget(button(frame1, Main::cmdSort, QStringLiteral("Sort")), 2, 1);
    f1->addWidget(button(frame1, Main::cmdFlexZeileLoeschen), 3, 0);
    f1->addWidget(button(frame1, Main::cmdFlexTabelleloeschen), 3, 1);
    f1->addWidget(button(frame1, Main::cmdEnde), 4, 0, 1, 2);
    right->addWidget(frame1);

    auto* frame4 = named<QGroupBox>(central, Main::Frame4);
    auto* f4 = new QGridLayout(frame4);
    f4->addWidget(button(frame4, Main::cmdClipboard), 0, 0);
    f4->addWidget(button(frame4, Main::cmdprint), 0, 1);
    f4->addWidget(button(frame4, Main::cmdWord), 1, 0);
    f4->addWidget(button(frame4, Main::cmdExcel), 1, 1);
    right->addWidget(frame4);
    root->addLayout(right, 0);

    resize(fontMetrics().height() * 70, fontMetrics().height() * 40);
}

void frmTransfer::buildMenus()
{
    auto* bar = menuBar();
    auto* mnuDatei = bar->addMenu(QString());
    mnuDatei->setObjectName(Main::mnuDatei);
    auto* mnuEnd = mnuDatei->addAction(QString());
    mnuEnd->setObjectName(Main::mnuEnd);
    mnuEnd->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    mnuEnd->setShortcutContext(Qt::ApplicationShortcut);

    auto* language = bar->addMenu(QString());
    language->setObjectName(Main::Language);
    auto* english = language->addAction(QString());
    english->setObjectName(Main::English);
    english->setCheckable(true);
    auto* german = language->addAction(QString());
    german->setObjectName(Main::German);
    german->setCheckable(true);

    auto* keys = bar->addAction(QString());
    keys->setObjectName(Main::mnuTastaturevent);

    auto* help = bar->addMenu(QString());
    help->setObjectName(Main::mnuHelp);
    auto* info = help->addAction(QString());
    info->setObjectName(Main::mnuInfo);
    auto* manual = help->addAction(QString());
    manual->setObjectName(Main::mnuHelp1);
    manual->setShortcut(QKeySequence(Qt::Key_F1));
    manual->setShortcutContext(Qt::ApplicationShortcut);

    // QActions made by addAction are children of their menus; the binder searches the window tree.
    for (QAction* a : {mnuEnd, english, german, keys, info, manual})
        if (!a->parent())
            a->setParent(this);
}

void frmTransfer::wireHandlers()
{
    auto action = [this](const QString& name) { return findChild<QAction*>(name); };
    auto btn = [this](const QString& name) { return findChild<QPushButton*>(name); };
    shell::TransferShell* sh = m_shell;
    connect(btn(Main::cmdCancel), &QPushButton::clicked, this, [] { shell::EscapeWatcher::instance().press(); });

    connect(action(Main::mnuEnd), &QAction::triggered, this, [sh] { sh->mnuEnd_Click(); });
    connect(action(Main::English), &QAction::triggered, this, [sh] { sh->English_Click(); });
    connect(action(Main::German), &QAction::triggered, this, [sh] { sh->German_Click(); });
    connect(action(Main::mnuInfo), &QAction::triggered, this, [sh] { sh->mnuInfo_Click(); });
    connect(action(Main::mnuHelp1), &QAction::triggered, this, [sh] { sh->mnuHelp1_Click(); });
    connect(action(Main::mnuTastaturevent), &QAction::triggered, this, [sh] { sh->mnuTastaturevent_Click(); });
    connect(btn(Main::cmdEnde), &QPushButton::clicked, this, [sh] { sh->cmdEnde_Click(); });

    connect(&m_st.main(), &shell::FormState::changed, this, [this](const QString& name) {
        if (name == Main::txtSpeicher)
            applyDisplayLook();
    });
}

void frmTransfer::applyDisplayLook()
{
    auto* display = findChild<QLabel*>(Main::txtSpeicher);
    const bool large = m_st.main().prop(Main::txtSpeicher, QStringLiteral("large")).toBool();
    QFont f = display->font();
    f.setPointSize(large ? 12 : QApplication::font().pointSize());
    f.setBold(large);
    display->setFont(f);
    display->setMinimumHeight(display->fontMetrics().height() * (large ? 2 : 1) + 6);
    const QColor fore = m_st.main().control(Main::txtSpeicher).foreColor;
    if (!fore.isValid())
        m_st.main().setForeColor(Main::txtSpeicher, QColor(255, 255, 255));
}

bool frmTransfer::Form_Load()
{
    const bool ok = m_shell->startup();
    if (!ok)
        return false;
    if (!m_st.edition.windowIconPath.isEmpty()) {
        const QIcon icon(m_st.edition.windowIconPath);
        for (QWidget* w : std::initializer_list<QWidget*>{this, m_wait, m_info})
            w->setWindowIcon(icon);
    }
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
