#include "Edition.h"

#include "AppState.h"
#include "Numbers.h"

namespace shell::Edition {

bool chooseEdition(AppState& st)
{
    struct Row {
        const char* code;
        bool exact;
        const char* title;
        const char* picture;
        bool large;
    };
    static const Row rows[] = {
        {"VX1", true, "VX-100 TRANSFER", "RD.gif", false}, {"VX5", false, "VX-500 TRANSFER", "VX5.gif", true},
        {"VX2", false, "VX-200 TRANSFER", "FT.gif", true}, {"QL7", false, "QL-7 TRANSFER", "VX5.gif", true},
        {"FT", true, "FORTA TRANSFER", "FT.gif", true},    {"RD", true, "RONDO TRANSFER", "RD.gif", false},
    };
    bool matched = false;
    for (const Row& r : rows) {
        const QString code = QString::fromLatin1(r.code);
        const bool hit = r.exact ? st.device.geraet == code : st.device.geraet.left(3) == code;
        if (!hit)
            continue;
        matched = true;
        st.edition.pgmname = QString::fromLatin1(r.title);
        st.edition.modelPicture = QString::fromLatin1(r.picture);
        st.edition.largeDisplay = r.large;
    }
    return matched;
}

void setCapabilities(AppState& st)
{
    struct Row {
        const char* code;
        const char* memoryMode;
        char interfaceKind, deviceLine, materialMode, signMode;
    };
    static const Row rows[] = {
        {"RD", "2", 'B', 'E', '1', '+'},  {"FT", "3", 'K', 'E', '2', '+'},  {"VX1", "1", 'B', 'V', '0', '-'},
        {"VX5", "1", 'K', 'V', '0', '-'}, {"VX2", "3", 'K', 'V', '0', '-'}, {"QL7", "X", 'K', 'V', '0', '-'},
    };
    const QString key = Numbers::trimBlanks(st.device.geraet.left(3));
    for (const Row& r : rows) {
        if (key != QLatin1String(r.code))
            continue;
        st.device.memoryMode = Numbers::fixedWidth(QString::fromLatin1(r.memoryMode), 2);
        st.edition.interfaceKind = QString(QLatin1Char(r.interfaceKind));
        st.edition.deviceLine = QString(QLatin1Char(r.deviceLine));
        st.edition.materialMode = QString(QLatin1Char(r.materialMode));
        st.edition.signMode = QString(QLatin1Char(r.signMode));
        return;
    }
}

QString manualPart(const QString& geraet, const QString& variantCode, const QString& previous)
{
    QString part = previous;
    const QString two = geraet.left(2);
    const QString three = geraet.left(3);
    const bool rondo = two == QLatin1String("FN") || two == QLatin1String("FE") || two == QLatin1String("RD");
    if (geraet == QLatin1String("VX1"))
        part = QStringLiteral("VX-100");
    if (two == QLatin1String("FT"))
        part = QStringLiteral("FORTA");
    if (three == QLatin1String("VX5"))
        part = QStringLiteral("VX-500");
    if (three == QLatin1String("VX2"))
        part = QStringLiteral("VX-200");
    if (rondo)
        part = QStringLiteral("RONDO");
    if (rondo && variantCode == QLatin1String("BR"))
        part = QStringLiteral("BREVO_Line_Tool");
    if (three == QLatin1String("QL7"))
        part = QStringLiteral("QL-7");
    return part;
}

} // namespace shell::Edition
