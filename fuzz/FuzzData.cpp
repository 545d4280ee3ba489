#include "FuzzData.h"

#include "shell/TextFile.h"

#include <QLocale>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

uint8_t FuzzData::byte()
{
    return m_pos < m_size ? m_data[m_pos++] : 0;
}

uint64_t FuzzData::bits(int n)
{
    uint64_t v = 0;
    for (int i = 0; i < n; ++i)
        v |= uint64_t(byte()) << (8 * i);
    return v;
}

QString FuzzData::text(int n)
{
    const size_t take = std::min(size_t(n), m_size - std::min(m_pos, m_size));
    const QString t = windows1252(m_data + m_pos, take);
    m_pos += take;
    return t;
}

QString FuzzData::rest()
{
    return text(int(std::min<size_t>(m_size - std::min(m_pos, m_size), 1 << 20)));
}

QString windows1252(const uint8_t* data, size_t size)
{
    return shell::TextFile::decode(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
}

void check(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

void useLocale(uint8_t choice)
{
    static const QLocale locales[] = {QLocale(QStringLiteral("en_US")), QLocale(QStringLiteral("de_DE")),
                                      QLocale(QStringLiteral("sv_SE"))};
    const QLocale& wanted = locales[choice % 3];
    if (!(QLocale() == wanted))
        QLocale::setDefault(wanted);
}

QString useLocaleAndMaterialMode(FuzzData& in)
{
    static const char* const modes[] = {"0", "1", "2"};
    const uint8_t choice = in.byte();
    useLocale(choice / 3);
    return QString::fromLatin1(modes[choice % 3]);
}

} // namespace fuzz
