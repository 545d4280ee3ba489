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
    st.edition.appPath = folder;
    shell::Settings::Voreinstellungen(st, QStringLiteral("KL"));
    if (!st.Errortext.isEmpty()) {
        error = folder + QStringLiteral("/Konfi.ini: ") + st.Errortext;
        return false;
    }
    if (!shell::Edition::chooseEdition(st)) {
        error = folder + QStringLiteral("/Konfi.ini: \"%1\" is no edition").arg(st.device.geraet);
        return false;
    }
    shell::Edition::setCapabilities(st);
    // The branding as start-up applies it.
    if (st.edition.variantCode.isEmpty())
        st.edition.companyName = QStringLiteral("Varnotek");
    else if (st.edition.variantCode == QLatin1String("BR"))
        st.edition.pgmname = st.edition.kpgmname;

    edition.part = shell::Edition::manualPart(st.device.geraet, st.edition.variantCode, QString());
    edition.title = st.edition.pgmname;
    edition.model = st.edition.pgmname;
    if (edition.model.endsWith(QLatin1String(" TRANSFER")))
        edition.model.chop(9);
    edition.picture = st.edition.modelPicture;
    if (edition.part.isEmpty()) {
        error = folder + QStringLiteral("/Konfi.ini: no manual name for \"%1\"").arg(st.device.geraet);
        return false;
    }

    auto& v = edition.values;
    v[QStringLiteral("MODEL")] = edition.model;
    v[QStringLiteral("TITLE")] = edition.title;
    v[QStringLiteral("PART")] = edition.part;
    v[QStringLiteral("PICTURE")] = edition.picture;
    v[QStringLiteral("COMPANY")] = st.edition.companyName;
    v[QStringLiteral("CODE")] = st.device.geraet;
    v[QStringLiteral("VERSION")] = st.edition.versnr;
    v[QStringLiteral("edition")] = st.device.geraet;
    v[QStringLiteral("variant")] = st.edition.variantCode;
    v[QStringLiteral("memoryMode")] = shell::Numbers::trimBlanks(st.device.memoryMode);
    v[QStringLiteral("interfaceKind")] = st.edition.interfaceKind;
    v[QStringLiteral("deviceLine")] = st.edition.deviceLine;
    v[QStringLiteral("signMode")] = st.edition.signMode;
    return true;
}
