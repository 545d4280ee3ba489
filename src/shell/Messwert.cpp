#include "Messwert.h"

#include "AppState.h"

namespace shell {

QString fillFailureText(const AppState& st, FillError error)
{
    const QString description = error == FillError::Overflow       ? st.say(shell::Phrase::Overflow)
                                : error == FillError::TypeMismatch ? st.say(shell::Phrase::TypeMismatch)
                                                                   : st.say(shell::Phrase::SubscriptOutOfRange);
    return QStringLiteral("Fill Messdaten: ") + QString::number(int(error)) + description;
}

void reportFillFailure(AppState& st, FillError error)
{
    const QString text = fillFailureText(st, error);
    // Records are decoded while values keep coming: the box does not wait.
    st.notify(text);
    st.WriteLog(text);
}

} // namespace shell
