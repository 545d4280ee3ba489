#include "frmVerlauf.h"

#include "export/ExportSession.h"
#include "session/ArchiveRecorder.h"
#include "session/ServerSync.h"
#include "session/TransferSession.h"
#include "shell/AppState.h"
#include "shell/Texte.h"
#include "shell/TransferShell.h"
#include "table/ValueFormat.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ui {

namespace {

// A date edit at its minimum shows nothing and sets no bound.
const QDate kNoBound(2000, 1, 1);

} // namespace

// The list as the archive gives it, a row per series.
class SeriesListModel : public QAbstractTableModel
{
public:
    explicit SeriesListModel(const shell::AppState& st, QObject* parent) : QAbstractTableModel(parent), m_st(st) {}

    void setEntries(std::vector<archive::ListEntry> entries)
    {
        beginResetModel();
        m_entries = std::move(entries);
        endResetModel();
    }
    // A running series' figures, without reading the list again (newest first: it is near the top).
    void grow(qint64 id, int count, double mean, const QString& unit, const QString& verdict)
    {
        for (size_t r = 0; r < m_entries.size(); ++r) {
            archive::ListEntry& e = m_entries[r];
            if (e.id != id)
                continue;
            e.count = count;
            e.mean = mean;
            e.unit = unit;
            e.verdict = verdict;
            emit dataChanged(index(int(r), 5), index(int(r), 7));
            return;
        }
    }
    const archive::ListEntry* entry(int row) const
    {
        return row >= 0 && row < int(m_entries.size()) ? &m_entries[size_t(row)] : nullptr;
    }
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_entries.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 8; }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        using P = shell::Phrase;
        static const P heads[] = {P::HistoryDate,    P::HistoryKind,  P::HistoryGauge, P::HistoryPort,
                                  P::HistoryProject, P::HistoryCount, P::HistoryMean,  P::HistoryVerdict};
        return m_st.say(heads[section]);
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        const archive::ListEntry* e = entry(index.row());
        if (!e)
            return {};
        if (role == Qt::TextAlignmentRole)
            return index.column() >= 5 && index.column() <= 6 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                              : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        if (role != Qt::DisplayRole)
            return {};
        using session::ArchiveRecorder;
        switch (index.column()) {
        case 0:
            return ArchiveRecorder::timeText(e->started);
        case 1:
            return ArchiveRecorder::kindText(m_st.sprache(), e->kind, e->version);
        case 2:
            return e->kind == archive::Kind::File && e->model.isEmpty() ? e->source.section(QLatin1Char('/'), -1)
                                                                        : e->model;
        case 3:
            return e->port;
        case 4: {
            QStringList shown;
            for (const QString& f : e->projectFields)
                if (!f.trimmed().isEmpty() && shown.size() < 2)
                    shown << f.trimmed();
            return shown.join(QStringLiteral(", "));
        }
        case 5:
            return e->count;
        case 6:
            return e->count > 0
                       ? table::WertFormatieren(e->mean, e->unit).trimmed() + QLatin1Char(' ') + e->unit.trimmed()
                       : QString();
        case 7:
            return ArchiveRecorder::verdictText(m_st.sprache(), e->verdict);
        }
        return {};
    }

private:
    const shell::AppState& m_st;
    std::vector<archive::ListEntry> m_entries;
};

frmVerlauf::frmVerlauf(session::TransferSession& session, QWidget* parent)
    : QDialog(parent), m_session(session), m_model(new SeriesListModel(session.state(), this))
{
    setObjectName(QStringLiteral("frmVerlauf"));
    auto* root = new QVBoxLayout(this);
    auto* filter = new QHBoxLayout;
    m_computer = new QRadioButton(this);
    m_computer->setObjectName(optComputer);
    m_computer->setChecked(true);
    m_server = new QRadioButton(this);
    m_server->setObjectName(optServer);
    filter->addWidget(m_computer);
    filter->addWidget(m_server);
    m_text = new QLineEdit(this);
    m_text->setObjectName(txtSuche);
    m_text->setClearButtonEnabled(true);
    filter->addWidget(m_text, 1);
    m_fromLabel = new QLabel(this);
    m_toLabel = new QLabel(this);
    m_since = new QDateEdit(this);
    m_since->setObjectName(dtpVon);
    m_until = new QDateEdit(this);
    m_until->setObjectName(dtpBis);
    for (QDateEdit* d : {m_since, m_until}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        d->setMinimumDate(kNoBound);
        d->setSpecialValueText(QStringLiteral(" "));
        d->setDate(kNoBound);
    }
    filter->addWidget(m_fromLabel);
    filter->addWidget(m_since);
    filter->addWidget(m_toLabel);
    filter->addWidget(m_until);
    root->addLayout(filter);

    m_list = new QTableView(this);
    m_list->setObjectName(lstSerien);
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    // The project column takes what is left; the others fit their texts, measured on the first rows only.
    m_list->horizontalHeader()->setResizeContentsPrecision(50);
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->horizontalHeader()->setSectionResizeMode(4, QHeaderView::Stretch);
    m_list->setAlternatingRowColors(true);
    root->addWidget(m_list, 1);

    auto* buttons = new QHBoxLayout;
    m_count = new QLabel(this);
    m_count->setObjectName(lblAnzahl);
    buttons->addWidget(m_count, 1);
    m_open = new QPushButton(this);
    m_open->setObjectName(cmdOeffnen);
    m_export = new QPushButton(this);
    m_export->setObjectName(cmdExport);
    m_export->setMenu(new QMenu(m_export));
    m_delete = new QPushButton(this);
    m_delete->setObjectName(cmdLoeschen);
    m_close = new QPushButton(this);
    m_close->setObjectName(cmdSchliessen);
    for (QPushButton* b : {m_open, m_export, m_delete, m_close})
        buttons->addWidget(b);
    root->addLayout(buttons);
    m_serverStatus = new QLabel(this);
    m_serverStatus->setObjectName(lblServer);
    m_serverStatus->setWordWrap(true);
    // A long failure wraps instead of widening the window.
    m_serverStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_serverStatus->setMinimumHeight(m_serverStatus->fontMetrics().lineSpacing() * 3);
    root->addWidget(m_serverStatus);
    m_open->setDefault(true);

    connect(m_text, &QLineEdit::textChanged, this, &frmVerlauf::refresh);
    // Up and down in the search field move through the list, Enter opens the series.
    m_text->installEventFilter(this);
    connect(m_since, &QDateEdit::dateChanged, this, &frmVerlauf::refresh);
    connect(m_until, &QDateEdit::dateChanged, this, &frmVerlauf::refresh);
    connect(m_list, &QTableView::doubleClicked, this, &frmVerlauf::openSelected);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &frmVerlauf::updateButtons);
    connect(m_open, &QPushButton::clicked, this, &frmVerlauf::openSelected);
    connect(m_delete, &QPushButton::clicked, this, &frmVerlauf::deleteSelected);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    connect(&m_session.archive(), &session::ArchiveRecorder::listChanged, this, [this] {
        if (isVisible())
            refresh();
    });
    connect(&m_session.archive(), &session::ArchiveRecorder::seriesGrew, this,
            [this](qint64 id, int count, double mean, const QString& unit, const QString& verdict) {
                if (!onServer())
                    m_model->grow(id, count, mean, unit, verdict);
            });
    connect(&m_session.shell(), &shell::TransferShell::languageChanged, this, &frmVerlauf::retranslate);
    // The team's server: its list and series come from the uploader's thread, the window never waits for them.
    connect(m_server, &QRadioButton::toggled, this, &frmVerlauf::refresh);
    session::ServerSync& sync = m_session.server();
    connect(&sync, &session::ServerSync::statusChanged, this, &frmVerlauf::showServerStatus);
    connect(&sync.uploader(), &archive::ServerUploader::listed, this, &frmVerlauf::serverListed);
    connect(&sync.uploader(), &archive::ServerUploader::fetched, this, &frmVerlauf::serverFetched);
    retranslate();
    resize(960, 520);
}

frmVerlauf::~frmVerlauf() = default;

void frmVerlauf::retranslate()
{
    const shell::AppState& st = m_session.state();
    setWindowTitle(st.say(shell::Phrase::History2));
    m_text->setPlaceholderText(st.say(shell::Phrase::SearchGaugeAndProject));
    m_fromLabel->setText(st.say(shell::Phrase::From));
    m_toLabel->setText(st.say(shell::Phrase::To));
    m_open->setText(st.say(shell::Phrase::Open2));
    m_export->setText(st.say(shell::Phrase::Export));
    m_delete->setText(st.say(shell::Phrase::Delete));
    m_close->setText(st.say(shell::Phrase::Close));
    m_computer->setText(st.say(shell::Phrase::ServerThisComputer));
    m_server->setText(st.say(shell::Phrase::ServerServer));
    showServerStatus();
    QMenu* menu = m_export->menu();
    menu->clear();
    using P = shell::Phrase;
    const P outputs[] = {P::HistoryToMes, P::Clipboard, P::HistoryToPrinter, P::WordProcessor, P::Spreadsheet};
    for (int i = 0; i < 5; ++i)
        connect(menu->addAction(st.say(outputs[i])), &QAction::triggered, this, [this, i] { exportSelected(i); });
    connect(menu->addAction(st.cap(shell::Cap::InspectionReport)), &QAction::triggered, this,
            [this] { exportSelected(5); });
    m_model->headerDataChanged(Qt::Horizontal, 0, m_model->columnCount() - 1);
    refresh();
}

bool frmVerlauf::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(m_list, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmVerlauf::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    refresh();
}

void frmVerlauf::refresh()
{
    session::ArchiveRecorder& recorder = m_session.archive();
    const qint64 keep = selected();
    archive::Filter f;
    f.text = m_text->text();
    f.since = m_since->date() == kNoBound ? QDate() : m_since->date();
    f.until = m_until->date() == kNoBound ? QDate() : m_until->date();
    if (onServer()) {
        // One question at a time; the last filter is asked when the answer is in.
        m_listAgain = m_listAsked;
        if (!m_listAsked) {
            m_listAsked = true;
            m_session.server().uploader().requestList(f, kServerListLimit);
        }
        updateButtons();
        return;
    }
    m_model->setEntries(recorder.ensureOpen() ? recorder.archive().list(f) : std::vector<archive::ListEntry>());
    const shell::AppState& st = m_session.state();
    m_count->setText(recorder.archive().isOpen() ? st.say(shell::Phrase::Series).arg(m_model->rowCount())
                                                 : st.say(shell::Phrase::TheArchiveIsNotAvailable));
    for (int r = 0; r < m_model->rowCount(); ++r)
        if (m_model->entry(r)->id == keep)
            m_list->selectRow(r);
    if (!m_list->selectionModel()->hasSelection() && m_model->rowCount() > 0)
        m_list->selectRow(0);
    updateButtons();
}

void frmVerlauf::updateButtons()
{
    const bool any = selected() != 0;
    for (QPushButton* b : {m_open, m_export})
        b->setEnabled(any);
    // What is on the server stays there.
    m_delete->setEnabled(any && !onServer());
}

bool frmVerlauf::onServer() const
{
    return m_server->isChecked();
}

void frmVerlauf::showServerStatus()
{
    const session::ServerSync& sync = m_session.server();
    const int lang = m_session.state().sprache();
    m_server->setEnabled(sync.configured());
    m_serverStatus->setText(sync.configured() ? sync.statusText() : shell::phrase(shell::Phrase::ServerNoServer, lang));
}

void frmVerlauf::serverListed(const std::vector<archive::ListEntry>& entries, const archive::ServerUploader::Outcome& o)
{
    m_listAsked = false;
    if (std::exchange(m_listAgain, false)) {
        refresh();
        return;
    }
    if (!onServer())
        return;
    m_model->setEntries(entries);
    const int lang = m_session.state().sprache();
    if (o.ok)
        m_count->setText(shell::phrase(shell::Phrase::ServerListed, lang).arg(entries.size()).arg(kServerListLimit));
    else {
        m_count->clear();
        const int waiting = m_session.server().waiting();
        m_serverStatus->setText(session::ServerSync::describe(o, lang) + QLatin1Char(' ') +
                                (waiting > 0 ? shell::phrase(shell::Phrase::ServerWaiting, lang).arg(waiting)
                                             : shell::phrase(shell::Phrase::ServerAllUploaded, lang)));
    }
    if (m_model->rowCount() > 0)
        m_list->selectRow(0);
    updateButtons();
}

void frmVerlauf::serverFetched(const archive::Series& series, const std::vector<archive::Reading>& readings,
                               const archive::ServerUploader::Outcome& o)
{
    const int output = std::exchange(m_fetchOutput, -1);
    if (!o.ok) {
        m_serverStatus->setText(session::ServerSync::describe(o, m_session.state().sprache()));
        return;
    }
    m_session.archive().openSeries(series, readings);
    if (output >= 0)
        pass(output);
}

qint64 frmVerlauf::selected() const
{
    const QModelIndexList rows =
        m_list->selectionModel() ? m_list->selectionModel()->selectedRows() : QModelIndexList();
    const archive::ListEntry* e = rows.isEmpty() ? nullptr : m_model->entry(rows.first().row());
    return e ? e->id : 0;
}

void frmVerlauf::openSelected()
{
    const qint64 id = selected();
    if (id != 0 && onServer()) {
        m_fetchOutput = -1;
        m_session.server().uploader().requestSeries(id);
    } else if (id != 0)
        m_session.archive().openSeries(id);
}

// The series goes into the table first, then through the output the user chose, as from the main window.
void frmVerlauf::exportSelected(int output)
{
    const qint64 id = selected();
    if (id != 0 && onServer()) {
        m_fetchOutput = output;
        m_session.server().uploader().requestSeries(id);
        return;
    }
    if (id == 0 || !m_session.archive().openSeries(id))
        return;
    pass(output);
}

void frmVerlauf::pass(int output)
{
    reports::ExportSession& e = m_session.exporter();
    switch (output) {
    case 0:
        e.cmdSave_Click();
        break;
    case 1:
        e.cmdClipboard_Click();
        break;
    case 2:
        e.cmdprint_Click();
        break;
    case 3:
        e.cmdWord_Click();
        break;
    case 4:
        e.cmdExcel_Click();
        break;
    case 5:
        e.cmdBericht_Click();
        break;
    }
}

void frmVerlauf::deleteSelected()
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    const archive::ListEntry* e = rows.isEmpty() ? nullptr : m_model->entry(rows.first().row());
    if (!e)
        return;
    shell::AppState& st = m_session.state();
    using session::ArchiveRecorder;
    const QString question = st.say(shell::Phrase::DeleteSeriesValuesOfFrom)
                                 .arg(e->id)
                                 .arg(ArchiveRecorder::kindText(st.sprache(), e->kind, e->version),
                                      e->model.isEmpty() ? e->source : e->model)
                                 .arg(e->count)
                                 .arg(ArchiveRecorder::timeText(e->started));
    const qint64 id = e->id;
    if (st.messageBox(question, shell::Dialogs::Buttons::YesNo, shell::Dialogs::Icon::Question) !=
        shell::Dialogs::Answer::Yes)
        return;
    m_session.archive().deleteSeries(id);
    refresh();
}

} // namespace ui
