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

} // namespace shell
