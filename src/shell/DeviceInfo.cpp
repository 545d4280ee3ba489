#include "DeviceInfo.h"
#include "shell/Controls.h"

#include "AppState.h"

namespace Info = ctl::frmInfo;

namespace shell {

void fillDeviceInfo(AppState& st)
{
    FormState& f = st.forms[Info::form];
    f.setCaption(st.msg(shell::Msg::ProgramTitle));
    f.setText(Info::lblGeraet, st.msg(shell::Msg::Device));
    const qsizetype p = st.edition.pgmname.indexOf(QLatin1String("TRANSFER"));
    // p counts from 1 in the original rule ("position greater than 2").
    if (p >= 0 && p + 1 > 2)
        f.setText(Info::txtGeraet, st.edition.pgmname.left(p - 1));
    if (f.text(Info::txtGeraet) == QLatin1String("RONDO")) {
        if (st.device.geraet == QLatin1String("FEB"))
            f.setText(Info::txtGeraet, QStringLiteral("RONDO (FE-B)"));
        else if (st.device.geraet == QLatin1String("FNB"))
            f.setText(Info::txtGeraet, QStringLiteral("RONDO (FN-B)"));
    }
    f.setText(Info::txtPCSoft, st.edition.versnr);
    f.setText(Info::txtGeraeteSoft, st.device.geraetesoftware);
    f.setText(Info::txtMacAdr, st.device.macadr);
    f.setText(Info::txtSondenversion, st.device.sondenversion);
    f.setText(Info::txtSondentyp, st.device.sondentyp);
    // The memory counts help users check a download against the instrument.
    f.setText(Info::txtAnzahl1, QString::number(st.device.memory1Count));
    f.setText(Info::txtAnzahl2, QString::number(st.device.memory2Count));
}

} // namespace shell
