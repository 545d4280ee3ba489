#include "MemoryNames.h"

#include "AppState.h"

namespace shell {

QString memoryName(const AppState& st, int view)
{
    if (view == 2)
        return st.msg(Msg::Online);
    const QString& mode = st.device.memoryMode;
    if (mode.startsWith(QLatin1String("2E")))
        return st.msg(view == 0 ? Msg::FeMemory1 : Msg::FeMemory2);
    if (view == 0 && mode.startsWith(QLatin1Char('1')))
        return st.msg(Msg::Memory);
    if (view == 0 && mode.startsWith(QLatin1Char('3'))) {
        if (st.device.geraet.startsWith(QLatin1String("FT")) && st.device.speichernr == 96)
            return QStringLiteral("Scan ");
        return st.msg(Msg::Memory) + QString::number(st.device.speichernr);
    }
    return st.msg(view == 0 ? Msg::FeMemory : Msg::NfeMemory);
}

} // namespace shell
