#include "TableSession.h"

#include "ChartToggle.h"
#include "TextAlign.h"
#include "ValueFormat.h"
#include "WerteForm.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/MemoryNames.h"
#include "shell/Messwert.h"

#include <QDateTime>

#include <algorithm>

namespace Main = ctl::frmTransfer;

namespace table {

namespace {

const QString kOptions[] = {Main::optFE, Main::optNFE, Main::optOnline};

// Twips of the four grid columns.
constexpr int kColWidths[] = {1400, 1000, 1500, 1900};

} // namespace

TableSession::TableSession(shell::AppState& st, QObject* parent)
    : QObject(parent), m_st(st), m_grid(this), m_werte(new WerteForm(st, this)),
      m_chart(new ChartToggle(st, *this, this))
{
    m_grid.setFontName(QStringLiteral("Lucida Console"));
    connect(this, &TableSession::rowAppended, m_chart, &ChartToggle::rowAppended);
}

TableSession::~TableSession() = default;

int TableSession::view() const
{
    return m_st.view();
}

TableSession::Command::~Command()
{
    if (--m_table.m_commands == 0)
        m_table.drain();
}

void TableSession::take(const shell::Messwert& m)
{
    m_pending.push_back(m);
    drain();
}

void TableSession::drain()
{
    // A record that comes in while one is appended (typing it may wait for the receiving window) or while a
    // command waits for the user is appended by the loop that is already running, or when the command ends.
    if (m_taking)
        return;
    m_taking = true;
    while (!m_pending.empty() && m_commands == 0) {
        const shell::Messwert m = std::move(m_pending.front());
        m_pending.pop_front();
        FillMessdaten(m);
        emit valueTaken(m.view);
    }
    m_taking = false;
}

bool TableSession::onlineFull(int row)
{
    // The online counter is the value's number: it must fit the number's 16 bits before the row is looked at.
    if (onlineNr < -32768 || onlineNr > 32767) {
        shell::reportFillFailure(m_st, shell::FillError::Overflow);
        return true;
    }
    // A full online view takes no more values. Told once per run: values keep coming at the line's pace, and a
    // box for each would pile up.
    if (row > MessdatenStore::kRows) {
        if (!m_onlineFullReported) {
            m_onlineFullReported = true;
            m_st.notify(m_st.msg(shell::Msg::MaxValuesExceeded) + QLatin1Char(' ') +
                        QString::number(MessdatenStore::kRows));
        }
        return true;
    }
    return false;
}

// A record into its row: the material only when the record has one, date and time only into a row without them.
void TableSession::store(MessRow& row, const shell::Messwert& m, qint16 nr)
{
    row.nr = nr;
    row.wert = m.wert;
    row.einheit = m.einheit;
    if (m.material)
        row.material = *m.material;
    const QString blank(QLatin1Char(' '));
    if (row.datum.isEmpty() || row.datum == blank)
        row.datum = m.datum;
    if (row.zeit.isEmpty() || row.zeit == blank)
        row.zeit = m.zeit;
}

// An online run goes on while a memory view is shown: its values are kept, counted in the online caption and typed
// as always; the shown table, its statistics and the grid stay as they are.
void TableSession::storeInBackground(const shell::Messwert& m)
{
    if (onlineFull(onlineNr))
        return;
    store(Messdaten.at(2, onlineNr), m, static_cast<qint16>(onlineNr));
    const int stored = onlineNr++;
    updateOptionCaption(2, QStringLiteral(" (") + QString::number(stored) + QLatin1Char(')'));
    if (m_st.keys.tastaturAktiv)
        emit onlineRowAppended(stored);
    emit rowAppended(2, stored);
}

void TableSession::FillMessdaten(const shell::Messwert& m)
{
    const int v = m.view;
    const bool online = v == 2;
    if (online && view() != 2) {
        storeInBackground(m);
        return;
    }
    if (online)
        aktZeile = onlineNr;
    const int i = aktZeile;
    if (online && onlineFull(i))
        return;
    if (v < 0 || i < 1 || i > MessdatenStore::kRows) {
        shell::reportFillFailure(m_st, shell::FillError::SubscriptOutOfRange);
        return;
    }
    MessRow& row = Messdaten.at(v, i);
    store(row, m, online ? static_cast<qint16>(onlineNr) : m.nr.value_or(0));
    jetztZeit = m.zeit;
    // A record of number 0 and value 0 is no value; it is dropped without a row.
    if (row.isEmpty())
        return;
    ZeileAnhaengen();
    ++aktZeile;
    if (online)
        ++onlineNr;
}

void TableSession::prepareTransfer(int v)
{
    shell::FormState& f = m_st.main();
    f.setItems(Main::lstStat, {});
    m_grid.clear();
    m_grid.setRows(1);
    StatistikZuruecksetzen();
    TabelleFormatieren();
    Messdaten.MessdatenLoeschen(v);
    f.setVisible(Main::lstStat, true);
    jetztZeit = QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss"));
    aktZeile = 1;
}

void TableSession::loadFile(const std::optional<QString>& datum, const std::vector<FileRow>& rows,
                            const QString& caption)
{
    const int v = view();
    if (v < 0)
        return;
    const Command command(*this);
    MessdatenLoeschen();
    m_grid.clear();
    StatistikZuruecksetzen();
    if (datum)
        Messdaten.at(v, aktZeile).datum = *datum;
    const size_t stored = std::min(rows.size(), size_t(MessdatenStore::kRows));
    for (size_t i = 0; i < stored; ++i) {
        const FileRow& in = rows[i];
        MessRow& row = Messdaten.at(v, int(i) + 1);
        row.zeit = in.zeit;
        row.nr = in.nr;
        row.wert = in.wert;
        row.einheit = in.einheit;
        if (in.material)
            row.material = *in.material;
    }
    if (v < 2)
        m_st.main().setText(kOptions[v], caption + QStringLiteral(" (%1)").arg(rows.size()));
    mesLaden = true;
    TabelleAufbauen();
    mesLaden = false;
    // The next online value follows the last row shown.
    if (v == 2)
        onlineNr = Messdaten.rowCount(v) + 1;
}

void TableSession::setMessart(shell::Messart m)
{
    m_st.messart = m;
}

void TableSession::enableAvailableCommands()
{
    bool rows = false;
    for (int v = 0; v < MessdatenStore::kViews && !rows; ++v)
        rows = Messdaten.rowCount(v) > 0;
    shell::Commands::EnableAvailable(m_st.main(), m_st.link.CheckConnect, rows);
}

void TableSession::showOnlineView()
{
    m_onlineFullReported = false;
    StatistikZuruecksetzen();
    m_st.main().setItems(Main::lstStat, {});
    TabelleAufbauen();
}

void TableSession::showView(int v)
{
    if (v == 2)
        emit onlineViewRequested();
    else
        showMemoryView(v);
}

void TableSession::TabelleFormatieren()
{
    m_grid.setCols(4);
    for (int c = 0; c < 4; ++c) {
        m_grid.setColWidth(c, kColWidths[c]);
        m_grid.setColAlignment(c, Qt::AlignLeft);
    }
    for (int c = 0; c < 3; ++c)
        m_grid.setColAlignment(c, Qt::AlignRight);
    m_grid.setText(0, 0, m_st.heuteDatum);
    m_grid.setText(0, 1, m_st.msg(shell::Msg::NrHeading));
    m_grid.setCellAlignment(0, 1, Qt::AlignRight);
    m_grid.setText(0, 2, m_st.msg(shell::Msg::ValueHeading));
    m_grid.setCellAlignment(0, 2, Qt::AlignRight);
    m_grid.setText(0, 3, m_st.msg(shell::Msg::UnitHeading));
    m_grid.setCellAlignment(0, 3, Qt::AlignLeft);
    m_st.main().setVisible(Main::MSFlex, true);
}

void TableSession::writeRow(int row)
{
    const MessRow& m = Messdaten.at(view(), row);
    m_grid.setTag(row, row);
    const QColor colour = ZelleFaerben(row);
    const QString texts[] = {m.zeit, Ausrichten(7, QString::number(m.nr)), WertFormatieren(m.wert, m.einheit),
                             m.einheit + Ausrichten(4, m.material)};
    for (int c = 0; c < 4; ++c) {
        if (colour.isValid())
            m_grid.setBack(row, c, colour);
        m_grid.setText(row, c, texts[c]);
    }
}

void TableSession::ZeileAnhaengen()
{
    const int v = view();
    if (v < 0)
        return;
    if (v == 2)
        aktZeile = onlineNr;
    if (aktZeile < 1 || aktZeile > MessdatenStore::kRows)
        return;
    m_grid.setRows(aktZeile + 1);
    m_grid.setText(0, 0, Messdaten.at(v, 1).datum);
    writeRow(aktZeile);
    spotFaerben(aktZeile);
    anzahlText = QStringLiteral(" (") + QString::number(aktZeile) + QLatin1Char(')');
    updateOptionCaption();
    m_stat.letzterWert = Messdaten.at(v, aktZeile).wert;
    m_stat.letzteEinheit = Messdaten.at(v, aktZeile).einheit;
    // A chart shown during an online run follows the new values instead of giving way to the list.
    berechnen(true, m_chart->follows(v));
    LetzteZeileZeigen();
    if (v == 2 && m_st.keys.tastaturAktiv)
        emit onlineRowAppended(aktZeile);
    emit rowAppended(v, aktZeile);
}

void TableSession::TabelleAufbauen()
{
    const Command command(*this);
    const int v = view();
    if (v < 0)
        return;
    const int n = Messdaten.rowCount(v);
    m_grid.beginBatch();
    m_grid.setRows(n + 1);
    m_grid.clear();
    TabelleFormatieren();
    m_grid.setText(0, 0, m_st.heuteDatum);
    for (int r = 1; r <= n; ++r) {
        writeRow(r);
        aktZeile = r;
        m_stat.letzterWert = Messdaten.at(v, r).wert;
        m_stat.letzteEinheit = Messdaten.at(v, r).einheit;
        berechnen(r == n); // only the last update's list and texts can be seen
    }
    m_grid.endBatch();
    shell::FormState& f = m_st.main();
    f.setVisible(Main::picLogo, n == 0);
    f.setVisible(Main::lstStat, n != 0);
    anzahlText = QStringLiteral(" (") + QString::number(n) + QLatin1Char(')');
    LetzteZeileZeigen();
    updateOptionCaption();
}

void TableSession::LetzteZeileZeigen()
{
    if (m_grid.Rows() >= 3)
        m_grid.setTopRow(m_grid.Rows() - 1);
}

void TableSession::showMemoryView(int v)
{
    shell::FormState& f = m_st.main();
    f.setVisible(Main::cmdStop, false);
    f.setText(Main::txtSpeicher, m_st.msg(shell::Msg::Ready));
    for (const QString& name : {Main::cmdAbs, Main::cmdChart, Main::cmdGross, Main::txtMittelwert})
        f.setVisible(name, false);
    shell::Commands::showOutputs(f);
    // Without a gauge (a table opened from a file) the reads and online mode stay off.
    const bool gauge = m_st.link.CheckConnect;
    shell::Commands::EnableAvailable(f, gauge, true);
    StatistikZuruecksetzen();
    f.setItems(Main::lstStat, {});
    setMessart(shell::messartOfView(v));
    for (int i = 0; i < 3; ++i)
        f.setChecked(kOptions[i], i == v);
    TabelleAufbauen();
    if (v == 0)
        f.setVisible(Main::lstStat, true);
    f.setVisible(Main::MSFlex, true);
    shell::Commands::EnableAvailable(f, gauge, true);
    f.setFocus(kOptions[v]);
}

void TableSession::AnsichtAktualisieren()
{
    switch (m_st.messart) {
    case shell::Messart::Speicher1:
        optFE_Click();
        break;
    case shell::Messart::Speicher2:
        optNFE_Click();
        break;
    case shell::Messart::Online:
        emit onlineViewRequested();
        break;
    default:
        break;
    }
}

void TableSession::updateOptionCaption()
{
    updateOptionCaption(view(), anzahlText);
}

void TableSession::updateOptionCaption(int v, const QString& anzahl)
{
    if (v < 0 || v > 2)
        return;
    shell::FormState& f = m_st.main();
    QString caption = f.text(kOptions[v]);
    if (!mesLaden && v < 2 && caption.contains(QLatin1String(".mes")))
        caption = shell::memoryName(m_st, v) + QStringLiteral(" (0)");
    if (!caption.contains(QLatin1Char('(')))
        caption = shell::memoryName(m_st, v) + QStringLiteral(" (0)");
    if (v == 0 && m_st.device.memoryMode.startsWith(QLatin1Char('3'))) {
        if (m_st.device.geraet.startsWith(QLatin1String("FT")) && m_st.device.speichernr == 96)
            caption = QStringLiteral("Scan ") + anzahl;
        else
            caption = caption.left(m_st.sprache() == 0 ? 8 : 6) + QString::number(m_st.device.speichernr) + anzahl;
    } else {
        caption = caption.left(std::max<qsizetype>(caption.indexOf(QLatin1Char('(')) - 1, 0)) + anzahl;
    }
    f.setText(kOptions[v], caption);
}

void TableSession::relabelOptions()
{
    shell::FormState& f = m_st.main();
    for (int v = 0; v < 3; ++v) {
        const QString caption = f.text(kOptions[v]);
        const qsizetype open = caption.indexOf(QLatin1Char('('));
        if (open < 1 || caption.contains(QLatin1String(".mes")))
            continue;
        f.setText(kOptions[v], shell::memoryName(m_st, v) + caption.mid(open - 1));
    }
}

void TableSession::MSFlex_Click(int row)
{
    if (row < 1 || row >= m_grid.Rows())
        return;
    for (int c = 0; c < m_grid.Cols(); ++c)
        m_grid.setBack(
            row, c, m_grid.back(row, c) == m_st.edition.farbeGrau ? m_st.edition.farbeWeiss : m_st.edition.farbeGrau);
}

void TableSession::cmdFlexZeileLoeschen_Click()
{
    const Command command(*this);
    using shell::Dialogs;
    zeilenAnzahl = m_grid.Rows() - 1;
    int marked = 0;
    int markedRow = 0;
    for (int r = 1; r <= zeilenAnzahl; ++r) {
        if (m_grid.back(r, 1) == m_st.edition.farbeGrau) {
            ++marked;
            markedRow = r;
        }
    }
    if (marked == 0) {
        m_st.messageBox(m_st.msg(shell::Msg::NoEntrySelected));
        return;
    }
    if (marked == 1) {
        if (m_st.messageBox(m_st.msg(shell::Msg::ReallyDeleteRow), Dialogs::Buttons::OkCancel,
                            Dialogs::Icon::Information) != Dialogs::Answer::Ok)
            return;
        if (zeilenAnzahl == 1) {
            m_st.messageBox(m_st.msg(shell::Msg::PleaseDeleteTable), Dialogs::Buttons::OkCancel,
                            Dialogs::Icon::Information);
            return;
        }
        const int v = view();
        // The remaining rows in ascending number order, renumbered from 1; each keeps its own stored values.
        std::vector<int> rows;
        for (int r = 1; r <= zeilenAnzahl; ++r)
            if (r != markedRow)
                rows.push_back(r);
        std::stable_sort(rows.begin(), rows.end(), [this](int a, int b) {
            return FlexGridModel::genericLess(m_grid.text(a, 1), m_grid.text(b, 1));
        });
        std::vector<MessRow> kept;
        kept.reserve(rows.size());
        for (int r : rows)
            kept.push_back(Messdaten.at(v, m_grid.tag(r)));
        Messdaten.MessdatenLoeschen(v);
        Messdaten.at(v, 0).datum = m_grid.text(0, 0);
        for (size_t i = 0; i < kept.size(); ++i) {
            MessRow& dst = Messdaten.at(v, static_cast<int>(i) + 1);
            dst = kept[i];
            dst.nr = static_cast<qint16>(i + 1);
        }
        if (m_st.messart != shell::Messart::Online)
            --aktZeile;
        else
            --onlineNr;
        StatistikZuruecksetzen();
        TabelleAufbauen();
        emit rowsChanged(v);
        return;
    }
    m_st.messageBox(m_st.msg(shell::Msg::OnlyOneRow));
    StatistikZuruecksetzen();
    TabelleAufbauen();
}

void TableSession::cmdFlexTabelleloeschen_Click()
{
    const Command command(*this);
    m_stat.statEinheit.clear();
    if (m_st.messageBox(m_st.msg(shell::Msg::ReallyDeleteTable), shell::Dialogs::Buttons::YesNo) !=
        shell::Dialogs::Answer::Yes)
        return;
    m_grid.clear();
    StatistikZuruecksetzen();
    MessdatenLoeschen();
    TabelleAufbauen();
    m_st.main().setVisible(Main::cmdChart, false);
    m_st.main().setVisible(Main::cmdAbs, false);
    if (m_st.messart == shell::Messart::Online)
        onlineNr = 1;
    emit rowsChanged(view());
}

void TableSession::cmdSort_Click()
{
    const Command command(*this);
    if (m_grid.Rows() < 3)
        return; // nothing to order
    const int a = m_grid.text(1, 1).trimmed().toInt();
    const int b = m_grid.text(2, 1).trimmed().toInt();
    m_grid.sortByColumn(1, b > 0 && a > b);
}

void TableSession::cmdAbs_Click()
{
    m_st.absolut = !m_st.absolut;
    AnsichtAktualisieren();
}

} // namespace table
