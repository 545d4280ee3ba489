#include "AppState.h"

namespace shell {

Dialogs::Answer AppState::messageBox(const QString& text, Dialogs::Buttons buttons, Dialogs::Icon icon,
                                     const QString& title)
{
    if (!dialogs)
        return buttons == Dialogs::Buttons::YesNo || buttons == Dialogs::Buttons::YesNoCancel ? Dialogs::Answer::Yes
                                                                                              : Dialogs::Answer::Ok;
    return dialogs->messageBox(text, buttons, icon, title);
}

void AppState::notify(const QString& text, Dialogs::Icon icon) const
{
    if (dialogs)
        dialogs->notify(text, icon);
}

} // namespace shell
