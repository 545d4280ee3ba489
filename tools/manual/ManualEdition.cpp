#include "ManualEdition.h"

#include "shell/AppState.h"
#include "shell/Edition.h"
#include "shell/Numbers.h"
#include "shell/Settings.h"

#include <QFileInfo>

bool ManualEdition::load(const QString& folder, ManualEdition& edition, QString& error)
{
    if (!QFileInfo(folder + QStringLiteral("/Konfi.ini")).isFile()) {
        error = folder + QStringLiteral("/Konfi.ini: no such file");
        return false;
    }
    shell::AppState st;
    st.appPath = folder;
    shell::Settings::Voreinstellungen(st, QStringLiteral("KL"));
    if (!st.Errortext.isEmpty()) {
        error = folder + QStringLiteral("/Konfi.ini: ") + st.Errortext;
        return false;
    }
    if (!shell::Edition::chooseEdition(st)) {
        error = folder + QStringLiteral("/Konfi.ini: \"%1\" is no edition").arg(st.geraet);
        return false;
    }
    shell::Edition::setCapabilities(st);
    // The branding as start-up applies it.
    if (st.variantCode.isEmpty())
        st.companyName = QStringLiteral("Varnotek");
    else if (st.variantCode == QLatin1String("BR"))
        st.pgmname = st.kpgmname;

    edition.part = shell::Edition::manualPart(st.geraet, st.variantCode, QString());
    edition.title = st.pgmname;
    edition.model = st.pgmname;
    if (edition.model.endsWith(QLatin1String(" TRANSFER")))
        edition.model.chop(9);
    edition.picture = st.modelPicture;
    if (edition.part.isEmpty()) {
        error = folder + QStringLiteral("/Konfi.ini: no manual name for \"%1\"").arg(st.geraet);
        return false;
    }

    auto& v = edition.values;
    v[QStringLiteral("MODEL")] = edition.model;
    v[QStringLiteral("TITLE")] = edition.title;
    v[QStringLiteral("PART")] = edition.part;
    v[QStringLiteral("PICTURE")] = edition.picture;
    v[QStringLiteral("COMPANY")] = st.companyName;
    v[QStringLiteral("CODE")] = st.geraet;
    v[QStringLiteral("VERSION")] = st.versnr;
    v[QStringLiteral("edition")] = st.geraet;
    v[QStringLiteral("variant")] = st.variantCode;
    v[QStringLiteral("memoryMode")] = shell::Numbers::trimBlanks(st.memoryMode);
    v[QStringLiteral("interfaceKind")] = st.interfaceKind;
    v[QStringLiteral("deviceLine")] = st.deviceLine;
    v[QStringLiteral("signMode")] = st.signMode;
    return true;
}
