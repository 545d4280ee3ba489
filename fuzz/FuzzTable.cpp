#include "FuzzTable.h"

#include "shell/TextFile.h"

namespace fuzz {

FuzzTable::FuzzTable() : table(st), exporter(st, &table)
{
    st.edition.programTitle = QStringLiteral("FUZZ V3.1");
    st.texte.LoadMessageTable(st.edition.programTitle);
    st.texte.LoadCaptionTable();
    st.device.geraet = QStringLiteral("FN5");
    st.device.memoryMode = QStringLiteral("2N");
    st.edition.signMode = QStringLiteral("0");
    st.edition.materialMode = QStringLiteral("1");
    st.heuteDatum = QStringLiteral("01.02.2024");
    // No such folder: the project data file is found missing and taken as empty, nothing is created.
    st.edition.AppDataPath = QStringLiteral("/nonexistent/varnotek-fuzz");
    st.edition.MessDataPath = st.edition.AppDataPath;
    st.settingsReadOnly = true;
    st.absolut = false;
    st.messart = shell::Messart::Speicher1;
    table.jetztZeit = QStringLiteral("10:00:00");
    table.TabelleFormatieren();
}

void FuzzTable::clear()
{
    exporter.loadRows({}, QString());
}

QString FuzzTable::save()
{
    return shell::TextFile::decode(shell::TextFile::encode(exporter.BuildReport(QStringLiteral("A"))));
}

void FuzzTable::load(const QString& text)
{
    exporter.loadRows(reports::MesReader::parse(shell::TextFile::splitLines(text), st.edition.materialMode),
                      QStringLiteral("fuzz.mes"));
}

std::vector<FuzzTable::Row> FuzzTable::rows() const
{
    std::vector<Row> out;
    const int n = table.Messdaten.rowCount(0);
    for (int r = 1; r <= n; ++r) {
        const table::MessRow& m = table.Messdaten.at(0, r);
        out.emplace_back(m.zeit, m.nr, m.wert, m.einheit, m.material);
    }
    return out;
}

} // namespace fuzz
