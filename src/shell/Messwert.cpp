#include "Messwert.h"

#include "AppState.h"

namespace shell {

void reportFillFailure(AppState& st, FillError error)
{
    const QString description = error == FillError::Overflow
                                    ? st.say("Überlauf", "Overflow")
                                    : st.say("Index außerhalb des gültigen Bereichs", "Subscript out of range");
    const QString text = QStringLiteral("Fill Messdaten: ") + QString::number(int(error)) + description;
    // Records are decoded while values keep coming: the box does not wait.
    st.notify(text);
    st.WriteLog(text);
}

} // namespace shell
