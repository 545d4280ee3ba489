#include "MesFile.h"

#include "shell/TextFile.h"

#include <QFile>
#include <QFileInfo>

namespace reports::MesFile {

Result write(const QString& path, const QString& text)
{
    const shell::TextFile::Result r = shell::TextFile::replaceFile(path, shell::TextFile::encode(text));
    return {r.ok, r.error};
}

Result read(const QString& path, QString& text)
{
    text.clear();
    QFile f(path);
    if (QFileInfo(path).isDir())
        return {false, QStringLiteral("Is a directory")};
    if (!f.open(QIODevice::ReadOnly))
        return {false, f.errorString()};
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return {false, f.errorString()};
    text = shell::TextFile::decode(bytes);
    return {};
}

} // namespace reports::MesFile
