#include "DeviceInfo.h"

#include "AppState.h"

namespace shell {

void fillDeviceInfo(AppState& st)
{
    FormState& f = st.forms[QStringLiteral("frmInfo")];
    f.setCaption(st.msg(14));
    f.setText(QStringLiteral("lblGeraet"), st.msg(43));
    const qsizetype p = st.pgmname.indexOf(QLatin1String("TRANSFER"));
    // p counts from 1 in the original rule ("position greater than 2").
    if (p >= 0 && p + 1 > 2)
        f.setText(QStringLiteral("txtGeraet"), st.pgmname.left(p - 1));
    if (f.text(QStringLiteral("txtGeraet")) == QLatin1String("RONDO")) {
        if (st.geraet == QLatin1String("FEB"))
            f.setText(QStringLiteral("txtGeraet"), QStringLiteral("RONDO (FE-B)"));
        else if (st.geraet == QLatin1String("FNB"))
            f.setText(QStringLiteral("txtGeraet"), QStringLiteral("RONDO (FN-B)"));
    }
    f.setText(QStringLiteral("txtPCSoft"), st.versnr);
    f.setText(QStringLiteral("txtGeraeteSoft"), st.geraetesoftware);
    f.setText(QStringLiteral("txtMacAdr"), st.macadr);
    f.setText(QStringLiteral("txtSondenversion"), st.sondenversion);
    f.setText(QStringLiteral("txtSondentyp"), st.sondentyp);
    // The memory counts help users check a download against the instrument.
    f.setText(QStringLiteral("txtAnzahl1"), QString::number(st.memory1Count));
    f.setText(QStringLiteral("txtAnzahl2"), QString::number(st.memory2Count));
}

} // namespace shell
