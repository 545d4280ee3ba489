#include "frmTransfer.h"

#include "CommandButton.h"
#include "FormBinder.h"
#include "OptionRow.h"
#include "QtTranslation.h"
#include "WholeRowsArea.h"
#include "Widgets.h"
#include "WindowIcons.h"
#include "frmInfo.h"
#include "frmTastatur.h"
#include "frmVerlauf.h"
#include "frmWait.h"
#include "session/TransferSession.h"
#include "shell/Settings.h"
#include "shell/Wait.h"

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
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <tuple>

namespace Main = ctl::frmTransfer;
namespace Wait = ctl::frmWait;

namespace ui {

namespace {

QFont monospace(int pointSize = -1)
{
    QFont f(QStringLiteral("Lucida Console"));
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    // Unsized, a font by name is 12 pt: far larger than the captions around the table.
    f.setPointSize(pointSize > 0 ? pointSize : QApplication::font().pointSize());
    return f;
}

// A control that comes and goes keeps its place while hidden, so the others do not move.
void keepPlace(QWidget* w)
{
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

CommandButton* commandButton(QWidget* parent, const QString& name, const QString& text = QString())
{
    auto* b = new CommandButton(parent);
    b->setObjectName(name);
    b->setText(text);
    return b;
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
    // Qt's standard buttons and dialogs speak the language chosen at start-up and in the menu.
    auto* qtTexts = new QtTranslation(this);
    connect(m_shell, &shell::TransferShell::languageChanged, qtTexts, [this, qtTexts](int sprache) {
        QString error;
        if (!qtTexts->apply(sprache, error))
            m_st.WriteLog(error);
    });
    connect(m_shell, &shell::TransferShell::infoWindowRequested, this, [this] { m_info->exec(); });
    connect(m_shell, &shell::TransferShell::quitRequested, this, &frmTransfer::requestQuit);
    // Keystroke forwarding's dialog is not modal.
    auto* tastatur = new frmTastatur(m_session->tastaturForm(), this);
    connect(m_shell, &shell::TransferShell::tastaturDialogRequested, tastatur, [tastatur] {
        tastatur->show();
        tastatur->raise();
        tastatur->activateWindow();
    });

    wireTable();
    wireExport();
    wireLink();
    wireChart();
    // The read progress is added below the status by the link's wiring; it too keeps its place while hidden.
    if (auto* progress = findChild<QWidget*>(Main::prgLesen))
        keepPlace(progress);
    m_icons = new WindowIcons(*this, m_st.edition);
}

frmTransfer::~frmTransfer() = default;

void frmTransfer::buildUi()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* root = new QHBoxLayout(central);
    const int em = fontMetrics().height();
    root->addWidget(buildLeftColumn(central, em), 0);
    root->addWidget(buildTableFrame(central, em), 1);
    root->addLayout(buildRightColumn(central, em), 0);
}

QWidget* frmTransfer::buildLeftColumn(QWidget* central, int em)
{
    // Left: maker, instrument picture and memory display, connection, reads. A column of fixed width, so long
    // status texts wrap instead of widening the window.
    auto* leftPanel = new QWidget(central);
    leftPanel->setFixedWidth(em * 22);
    auto* left = new QVBoxLayout(leftPanel);
    left->setContentsMargins(0, 0, 0, 0);
    auto* frame5 = named<QGroupBox>(leftPanel, Main::Frame5);
    auto* f5 = new QVBoxLayout(frame5);
    auto* picKova = named<QLabel>(frame5, Main::picKova);
    // The logos are 10:3; a box of their shape shows them undistorted.
    picKova->setFixedSize(em * 40 / 3, em * 4);
    keepPlace(picKova);
    f5->addWidget(picKova, 0, Qt::AlignCenter);
    left->addWidget(frame5);

    // The frame picture is 3:2 and the gauges 3:4: both boxes keep those shapes, the gauge centred in the frame.
    auto* picRahmen = named<QLabel>(leftPanel, Main::picRahmen);
    const int rahmenWidth = leftPanel->maximumWidth();
    picRahmen->setFixedSize(rahmenWidth, rahmenWidth * 2 / 3);
    auto* rahmen = new QGridLayout(picRahmen);
    auto* picTC = named<QLabel>(picRahmen, Main::picTC);
    const int gaugeHeight = picRahmen->height() * 5 / 6;
    picTC->setFixedSize(gaugeHeight * 3 / 4, gaugeHeight);
    rahmen->addWidget(picTC, 0, 0, Qt::AlignCenter);
    left->addWidget(picRahmen);

    auto* txtSpeicher = named<QLabel>(leftPanel, Main::txtSpeicher);
    txtSpeicher->setAlignment(Qt::AlignCenter);
    txtSpeicher->setFont(monospace());
    keepPlace(txtSpeicher);
    left->addWidget(txtSpeicher);

    left->addWidget(buildPortFrame(leftPanel));

    auto* reads = new QGridLayout;
    const std::tuple<const QString&, int, int, int, const char*> readButtons[] = {{Main::cmdLesen, 0, 0, 2, ""},
                                                                                  {Main::cmdLesFE, 1, 0, 1, "FE"},
                                                                                  {Main::cmdLesNFE, 1, 1, 1, "NFE"},
                                                                                  {Main::cmdStop, 2, 0, 2, ""}};
    for (const auto& [name, row, col, span, text] : readButtons) {
        auto* b = commandButton(leftPanel, name, QString::fromLatin1(text));
        keepPlace(b);
        reads->addWidget(b, row, col, 1, span);
    }
    left->addLayout(reads);
    left->addStretch(1);
    return leftPanel;
}

QGroupBox* frmTransfer::buildPortFrame(QWidget* leftPanel)
{
    // Every control here comes and goes with the connection; each keeps its place while hidden, so nothing moves.
    auto* frame2 = named<QGroupBox>(leftPanel, Main::Frame2);
    frame2->setTitle(QStringLiteral("Com-Port"));
    auto* f2 = new QGridLayout(frame2);
    auto* combo = named<QComboBox>(frame2, Main::ComboPort);
    combo->setEditable(true);
    combo->setFont(monospace());
    combo->setMinimumContentsLength(21);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    keepPlace(combo);
    f2->addWidget(combo, 0, 0, 1, 2);
    // The connection symbols show only while connected, when the port box is hidden: they take its place.
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
    f2->addLayout(symbols, 0, 0, 1, 2);
    auto* connectButton = commandButton(frame2, Main::cmdConnect);
    keepPlace(connectButton);
    f2->addWidget(connectButton, 1, 0, 1, 2);
    auto* txtWait = named<QLabel>(frame2, Main::txtWait);
    txtWait->setWordWrap(true);
    txtWait->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Two lines: the longest status texts wrap once in this column.
    txtWait->setFixedHeight(txtWait->fontMetrics().lineSpacing() * 2 + 2);
    keepPlace(txtWait);
    f2->addWidget(txtWait, 2, 0);
    // Every wait the status text describes can be ended here, as with Escape.
    auto* cancel = commandButton(frame2, Main::cmdCancel);
    keepPlace(cancel);
    cancel->hide();
    f2->addWidget(cancel, 2, 1, Qt::AlignRight | Qt::AlignTop);
    f2->setColumnStretch(0, 1);
    return frame2;
}

QGroupBox* frmTransfer::buildTableFrame(QWidget* central, int em)
{
    // Middle: the table and its views.
    auto* frame3 = named<QGroupBox>(central, Main::Frame3);
    auto* f3 = new QVBoxLayout(frame3);
    // A long file name in a caption is cut rather than widening the window.
    auto* views = new OptionRow(frame3, em * 3);
    for (const QString& name : {Main::optFE, Main::optNFE, Main::optOnline})
        named<QRadioButton>(views, name);
    f3->addWidget(views);
    auto* grid = named<QTableView>(frame3, Main::MSFlex);
    grid->setFont(monospace());
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->hide();
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Room for the four columns and the scroll bar, so no horizontal scrolling is needed.
    grid->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 58);
    grid->horizontalHeader()->setStretchLastSection(true);
    f3->addWidget(new WholeRowsArea(grid, frame3), 1);
    return frame3;
}

QBoxLayout* frmTransfer::buildRightColumn(QWidget* central, int em)
{
    // Right: statistics or chart, commands, copy targets.
    auto* right = new QVBoxLayout;
    // The statistics list and the chart take turns in one area, which keeps its place and size while both are hidden.
    auto* statArea = new QWidget(central);
    auto* statLayout = new QGridLayout(statArea);
    statLayout->setContentsMargins(0, 0, 0, 0);
    auto* stat = named<QListWidget>(statArea, Main::lstStat);
    stat->setFont(monospace());
    stat->setSelectionMode(QAbstractItemView::NoSelection);
    statLayout->addWidget(stat, 0, 0);
    auto* chart = named<QChartView>(statArea, Main::MSChart1);
    // The area's size is the list's: the chart fills it and asks for nothing of its own.
    chart->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    statLayout->addWidget(chart, 0, 0);
    // The mean under the chart, where it has the area's width; its line stays while the list shows.
    auto* mittelwert = named<QLabel>(statArea, Main::txtMittelwert);
    mittelwert->setSizePolicy(QSizePolicy::Ignored, mittelwert->sizePolicy().verticalPolicy());
    keepPlace(mittelwert);
    statLayout->addWidget(mittelwert, 1, 0);
    statLayout->setRowStretch(0, 1);
    // The widest statistics line (the 80/20 verdict) and the list's scroll bar.
    statArea->setMinimumWidth(QFontMetrics(monospace()).horizontalAdvance(QLatin1Char('0')) * 36 +
                              style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
    statArea->setMinimumHeight(em * 14);
    right->addWidget(statArea, 1);
    // "Chart" is always at the right end; the buttons that come with it appear in their places to its left.
    auto* chartRow = new QHBoxLayout;
    chartRow->addStretch(1);
    const std::pair<const QString&, const char*> chartButtons[] = {
        {Main::cmdAbs, "Abs"}, {Main::cmdGross, "+"}, {Main::cmdChart, "Chart"}};
    for (const auto& [name, text] : chartButtons) {
        auto* b = commandButton(central, name, QString::fromLatin1(text));
        keepPlace(b);
        chartRow->addWidget(b);
    }
    // The chart command reads "Stat" while the chart shows.
    central->findChild<CommandButton*>(Main::cmdChart)->keepRoomFor({QStringLiteral("Chart"), QStringLiteral("Stat")});
    right->addLayout(chartRow);

    addCommandFrames(central, right);
    return right;
}

void frmTransfer::addCommandFrames(QWidget* central, QBoxLayout* right)
{
    auto* frame1 = named<QGroupBox>(central, Main::Frame1);
    auto* f1 = new QGridLayout(frame1);
    // Two equal columns, as for the copy targets below.
    const std::tuple<const QString&, int, int, int, const char*> commands[] = {
        {Main::cmdOpen, 0, 0, 1, ""},
        {Main::cmdSave, 0, 1, 1, ""},
        {Main::cmdWerte, 1, 0, 2, ""},
        {Main::cmdProjekt, 2, 0, 1, ""},
        {Main::cmdSort, 2, 1, 1, "Sort"},
        {Main::cmdFlexZeileLoeschen, 3, 0, 1, ""},
        {Main::cmdFlexTabelleloeschen, 3, 1, 1, ""},
        {Main::cmdEnde, 4, 0, 2, ""}};
    for (const auto& [name, row, col, span, text] : commands) {
        auto* b = commandButton(frame1, name, QString::fromLatin1(text));
        b->setSizePolicy(QSizePolicy::Ignored, b->sizePolicy().verticalPolicy());
        f1->addWidget(b, row, col, 1, span);
    }
    // Saved limits turn the limits caption into three lines (minimum, maximum, target): room for them from the start.
    frame1->findChild<CommandButton*>(Main::cmdWerte)->keepRoomFor({QStringLiteral(">\n<\n=")});
    f1->setColumnStretch(0, 1);
    f1->setColumnStretch(1, 1);
    right->addWidget(frame1);

    auto* frame4 = named<QGroupBox>(central, Main::Frame4);
    auto* f4 = new QGridLayout(frame4);
    const std::tuple<const QString&, int, int, const char*> outputs[] = {{Main::cmdClipboard, 0, 0, ""},
                                                                         {Main::cmdprint, 0, 1, ""},
                                                                         {Main::cmdWord, 1, 0, ""},
                                                                         {Main::cmdExcel, 1, 1, ""},
                                                                         {Main::cmdBericht, 2, 0, ""}};
    // Two equal columns, whatever the captions: a caption that changes (language, enabled state) moves nothing.
    for (const auto& [name, row, col, text] : outputs) {
        auto* b = commandButton(frame4, name, QString::fromLatin1(text));
        b->setSizePolicy(QSizePolicy::Ignored, b->sizePolicy().verticalPolicy());
        keepPlace(b);
        // The report takes the whole last row.
        f4->addWidget(b, row, col, 1, name == Main::cmdBericht ? 2 : 1);
    }
    f4->setColumnStretch(0, 1);
    f4->setColumnStretch(1, 1);
    right->addWidget(frame4);
}

void frmTransfer::buildMenus()
{
    auto* bar = menuBar();
    auto* mnuDatei = bar->addMenu(QString());
    mnuDatei->setObjectName(Main::mnuDatei);
    // The archive's history; its text follows the language here, as it is no entry of the caption table.
    auto* history = mnuDatei->addAction(QString());
    history->setObjectName(frmVerlauf::mnuVerlauf);
    history->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    auto* report = mnuDatei->addAction(QString());
    report->setObjectName(Main::mnuBericht);
    mnuDatei->addSeparator();
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
    for (QAction* a : {history, report, mnuEnd, english, german, keys, info, manual})
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
    QAction* history = action(frmVerlauf::mnuVerlauf);
    const auto historyText = [this, history] { history->setText(m_st.say(shell::Phrase::History)); };
    historyText();
    connect(sh, &shell::TransferShell::languageChanged, this, historyText);
    connect(history, &QAction::triggered, this, [this] {
        if (!m_verlauf)
            m_verlauf = new frmVerlauf(*m_session, this);
        m_verlauf->show();
        m_verlauf->raise();
        m_verlauf->activateWindow();
    });

    connect(&m_st.main(), &shell::FormState::changed, this, [this](const QString& name) {
        if (name == Main::txtSpeicher)
            applyDisplayLook();
    });
}

void frmTransfer::applyDisplayLook()
{
    auto* display = findChild<QLabel*>(Main::txtSpeicher);
    const bool large = m_st.main().control(Main::txtSpeicher).large;
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
    m_icons->applyToAll();
    m_binder->applyAll();
    applyDisplayLook();
    fitToScreen();
    return true;
}

// The first size shows a good part of the table, with every caption in place, but never more than the screen.
void frmTransfer::fitToScreen()
{
    const int em = fontMetrics().height();
    QSize size = QSize(em * 70, em * 40).expandedTo(minimumSizeHint());
    if (const QScreen* s = screen())
        size = size.boundedTo(s->availableGeometry().size());
    resize(size);
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
