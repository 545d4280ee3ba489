#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

namespace fuzz {

// The fuzzer's bytes, taken from the front as small choices and the rest as text.
class FuzzData
{
public:
    FuzzData(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_pos >= m_size; }
    size_t left() const { return m_pos < m_size ? m_size - m_pos : 0; }
    // 0 when the bytes are used up.
    uint8_t byte();
    // n bytes little-endian; missing ones are 0.
    uint64_t bits(int n);
    // n characters, each one Windows-1252 byte.
    QString text(int n);
    // The rest as Windows-1252 text.
    QString rest();

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// Bytes decoded as the program decodes files and instrument text.
QString windows1252(const uint8_t* data, size_t size);

// A property that must hold: otherwise the input is a finding (the process aborts, libFuzzer keeps the input).
void check(bool holds, const char* what);

// One of three number formats: point, comma, and comma with U+2212 as the locale's minus sign.
void useLocale(uint8_t choice);

// The input's next byte picks the number format and the edition's material mode ("0", "1" or "2"), returned.
QString useLocaleAndMaterialMode(FuzzData& in);

} // namespace fuzz
