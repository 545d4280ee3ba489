#include "StderrDialogs.h"

#include "shell/TextFile.h"

#include <cstdio>

StderrDialogs::Answer StderrDialogs::defaultAnswer(Buttons buttons)
{
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
}

void StderrDialogs::notify(const QString& text, Icon icon, const QString& title)
{
    messageBox(text, Buttons::Ok, icon, title);
}

StderrDialogs::Answer StderrDialogs::messageBox(const QString& text, Buttons buttons, Icon, const QString&)
{
    m_shown << text;
    // Box texts may carry CR LF of their own; one message is one block of lines on the terminal.
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (out.endsWith(QLatin1Char('\n')))
        out.chop(1);
    const Answer answer = defaultAnswer(buttons);
    if (buttons != Buttons::Ok && buttons != Buttons::OkCancel)
        out += answer == Answer::Yes ? QStringLiteral(" [Yes]") : QStringLiteral(" [Ok]");
    // Lines stay lines; any other control character (from a gauge's or a file's text) is shown, not obeyed.
    QStringList lines = out.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = shell::TextFile::showControls(line);
    out = lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    std::fputs(out.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    return answer;
}

QString StderrDialogs::openFile(const QString&, const QString&, const QString&)
{
    return {};
}

QString StderrDialogs::saveFile(const QString&, const QString&, const QString&)
{
    return {};
}
