#include "TableSession.h"

#include "TextAlign.h"
#include "ValueFormat.h"
#include "WerteForm.h"
#include "shell/AppState.h"
#include "shell/TransferShell.h"

#include <QDateTime>

#include <algorithm>
#include <exception>

namespace table {

namespace {

const QString kOptions[] = {QStringLiteral("optFE"), QStringLiteral("optNFE"), QStringLiteral("optOnline")};

// Twips of the four grid columns.
constexpr int kColWidths[] = {1400, 1000, 1500, 1900};

} // namespace

TableSession::TableSession(shell::AppState& st, QObject* parent)
    : QObject(parent), m_st(st), m_grid(this), m_werte(new WerteForm(st, this))
{
    m_grid.setFontName(QStringLiteral("Lucida Console"));
}

TableSession::~TableSession() = default;

int TableSession::view() const
{
    return m_st.messart >= 0 && m_st.messart < MessdatenStore::kViews ? m_st.messart : -1;
}

void TableSession::enableCommands()
{
    if (m_hooks.EnableCommands) {
        m_hooks.EnableCommands();
        return;
    }
    for (const QString& name : shell::TransferShell::commandControls())
        m_st.main().setEnabled(name, true);
}

bool TableSession::appendRow(int messart, const QString& datum, const QString& zeit, int nr, double wert,
                             const QString& einheit, const QString& material)
{
    if (messart < 0 || messart >= MessdatenStore::kViews)
        return false;
    m_st.messart = messart;
    const int row = messart == 2 ? onlineNr : aktZeile;
    if (row < 1 || row > MessdatenStore::kRows)
        return false;
    MessRow& m = Messdaten.at(messart, row);
    const QString blank(QLatin1Char(' '));
    m.datum = datum.isEmpty() || datum == blank ? m_st.heuteDatum : datum;
    if (zeit.isEmpty() || zeit == blank)
        m.zeit = jetztZeit.isEmpty() ? QTime::currentTime().toString(QStringLiteral("hh:mm:ss")) : jetztZeit;
    else
        m.zeit = zeit;
    m.nr = static_cast<qint16>(nr);
    m.wert = wert;
    m.einheit = einheit;
    m.material = material;
    if (m.isEmpty())
        return true;
    aktZeile = row;
    ZeileAnhaengen();
    ++aktZeile;
    if (messart == 2)
        ++onlineNr;
    return true;
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
    m_grid.setText(0, 1, m_st.msg(0));
    m_grid.setCellAlignment(0, 1, Qt::AlignRight);
    m_grid.setText(0, 2, m_st.msg(1));
    m_grid.setCellAlignment(0, 2, Qt::AlignRight);
    m_grid.setText(0, 3, m_st.msg(2));
    m_grid.setCellAlignment(0, 3, Qt::AlignLeft);
    m_st.main().setVisible(QStringLiteral("MSFlex"), true);
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
    try {
        if (v == 2)
            aktZeile = onlineNr;
        if (aktZeile < 1 || aktZeile > MessdatenStore::kRows)
            return;
        m_grid.setRows(aktZeile + 1);
        m_grid.setText(0, 0, Messdaten.at(v, 1).datum);
        writeRow(aktZeile);
        anzahlText = QStringLiteral(" (") + QString::number(aktZeile) + QLatin1Char(')');
        updateOptionCaption();
        letzterWert = Messdaten.at(v, aktZeile).wert;
        letzteEinheit = Messdaten.at(v, aktZeile).einheit;
        StatistikBerechnen();
        LetzteZeileZeigen();
        if (v == 2 && m_st.tastaturAktiv && m_hooks.sendKeys)
            m_hooks.sendKeys(aktZeile);
    } catch (const std::exception&) {
        // The failing step has told the user; the append ends here and what was written stays.
    }
}

void TableSession::TabelleAufbauen()
{
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
        letzterWert = Messdaten.at(v, r).wert;
        letzteEinheit = Messdaten.at(v, r).einheit;
        berechnen(r == n); // only the last update's list and texts can be seen
    }
    m_grid.endBatch();
    shell::FormState& f = m_st.main();
    f.setVisible(QStringLiteral("picLogo"), n == 0);
    f.setVisible(QStringLiteral("lstStat"), n != 0);
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
    f.setVisible(QStringLiteral("cmdStop"), false);
    f.setText(QStringLiteral("txtSpeicher"), m_st.msg(42));
    for (const char* name : {"cmdAbs", "cmdChart", "cmdGross", "txtMittelwert"})
        f.setVisible(QString::fromLatin1(name), false);
    for (const char* name : {"cmdprint", "cmdWord", "cmdClipboard", "cmdExcel"})
        f.setVisible(QString::fromLatin1(name), true);
    enableCommands();
    StatistikZuruecksetzen();
    f.setItems(QStringLiteral("lstStat"), {});
    m_st.messart = v;
    for (int i = 0; i < 3; ++i)
        f.setChecked(kOptions[i], i == v);
    TabelleAufbauen();
    if (v == 0)
        f.setVisible(QStringLiteral("lstStat"), true);
    f.setVisible(QStringLiteral("MSFlex"), true);
    enableCommands();
    f.setFocus(kOptions[v]);
}

void TableSession::AnsichtAktualisieren()
{
    switch (m_st.messart) {
    case 0:
        optFE_Click();
        break;
    case 1:
        optNFE_Click();
        break;
    case 2:
        if (m_hooks.optOnline_Click) {
            m_hooks.optOnline_Click();
        } else {
            shell::FormState& f = m_st.main();
            f.setText(QStringLiteral("txtSpeicher"), m_st.msg(42));
            for (const char* name : {"cmdAbs", "cmdChart", "cmdGross", "txtMittelwert"})
                f.setVisible(QString::fromLatin1(name), false);
            StatistikZuruecksetzen();
            f.setItems(QStringLiteral("lstStat"), {});
            TabelleAufbauen();
            enableCommands();
        }
        break;
    default:
        break;
    }
}

QString TableSession::memoryName(int v) const
{
    if (v == 2)
        return m_st.msg(8);
    const QString& mode = m_st.memoryMode;
    if (mode.startsWith(QLatin1String("2E")))
        return m_st.msg(v == 0 ? 15 : 11);
    if (v == 0 && mode.startsWith(QLatin1Char('1')))
        return m_st.msg(32);
    if (v == 0 && mode.startsWith(QLatin1Char('3'))) {
        if (m_st.geraet.startsWith(QLatin1String("FT")) && m_st.speichernr == 96)
            return QStringLiteral("Scan ");
        return m_st.msg(32) + QString::number(m_st.speichernr);
    }
    return m_st.msg(v == 0 ? 6 : 7);
}

void TableSession::updateOptionCaption()
{
    const int v = view();
    if (v < 0)
        return;
    shell::FormState& f = m_st.main();
    QString caption = f.text(kOptions[v]);
    if (!mesLaden && v < 2 && caption.contains(QLatin1String(".mes")))
        caption = memoryName(v) + QStringLiteral(" (0)");
    if (!caption.contains(QLatin1Char('(')))
        caption = memoryName(v) + QStringLiteral(" (0)");
    if (v == 0 && m_st.memoryMode.startsWith(QLatin1Char('3'))) {
        if (m_st.geraet.startsWith(QLatin1String("FT")) && m_st.speichernr == 96)
            caption = QStringLiteral("Scan ") + anzahlText;
        else
            caption = caption.left(m_st.sprache() == 0 ? 8 : 6) + QString::number(m_st.speichernr) + anzahlText;
    } else {
        caption = caption.left(std::max<qsizetype>(caption.indexOf(QLatin1Char('(')) - 1, 0)) + anzahlText;
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
        f.setText(kOptions[v], memoryName(v) + caption.mid(open - 1));
    }
}

void TableSession::MSFlex_Click(int row)
{
    if (row < 1 || row >= m_grid.Rows())
        return;
    for (int c = 0; c < m_grid.Cols(); ++c)
        m_grid.setBack(row, c, m_grid.back(row, c) == m_st.farbeGrau ? m_st.farbeWeiss : m_st.farbeGrau);
}

void TableSession::cmdFlexZeileLoeschen_Click()
{
    using shell::Dialogs;
    zeilenAnzahl = m_grid.Rows() - 1;
    int marked = 0;
    int markedRow = 0;
    for (int r = 1; r <= zeilenAnzahl; ++r) {
        if (m_grid.back(r, 1) == m_st.farbeGrau) {
            ++marked;
            markedRow = r;
        }
    }
    if (marked == 0) {
        m_st.messageBox(m_st.msg(34));
        return;
    }
    if (marked == 1) {
        if (m_st.messageBox(m_st.msg(51), Dialogs::Buttons::OkCancel, Dialogs::Icon::Information) !=
            Dialogs::Answer::Ok)
            return;
        if (zeilenAnzahl == 1) {
            m_st.messageBox(m_st.msg(48), Dialogs::Buttons::OkCancel, Dialogs::Icon::Information);
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
        if (m_st.messart != 2)
            --aktZeile;
        else
            --onlineNr;
    } else {
        m_st.messageBox(m_st.msg(54));
    }
    StatistikZuruecksetzen();
    TabelleAufbauen();
}

void TableSession::cmdFlexTabelleloeschen_Click()
{
    statEinheit.clear();
    if (m_st.messageBox(m_st.msg(50), shell::Dialogs::Buttons::YesNo) != shell::Dialogs::Answer::Yes)
        return;
    m_grid.clear();
    StatistikZuruecksetzen();
    MessdatenLoeschen();
    TabelleAufbauen();
    m_st.main().setVisible(QStringLiteral("cmdChart"), false);
    m_st.main().setVisible(QStringLiteral("cmdAbs"), false);
    if (m_st.messart == 2)
        onlineNr = 1;
}

void TableSession::cmdSort_Click()
{
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
