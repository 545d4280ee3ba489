#include "MesFile.h"

#include "shell/TextFile.h"

namespace reports::MesFile {

Result write(const QString& path, const QString& text)
{
    const shell::TextFile::Result r = shell::TextFile::replaceFile(path, shell::TextFile::encode(text));
    return {r.ok, r.error};
}

Result read(const QString& path, QString& text)
{
    text.clear();
    QByteArray bytes;
    const shell::TextFile::Result r = shell::TextFile::readBytes(path, bytes, kMaxBytes);
    if (!r.ok)
        return {false, r.error};
    text = shell::TextFile::decode(bytes);
    return {};
}

} // namespace reports::MesFile
