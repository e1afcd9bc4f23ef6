#include "fuzzinput.h"

#include <cstring>

FuzzInput::FuzzInput(const uint8_t *data, size_t size)
    : m_data(data)
    , m_size(data ? size : 0)
{
}

bool FuzzInput::isEmpty() const
{
    return m_size == 0;
}

size_t FuzzInput::remaining() const
{
    return m_size;
}

uint8_t FuzzInput::byte()
{
    if (m_size == 0)
        return 0;
    --m_size;
    return *m_data++;
}

bool FuzzInput::flag()
{
    return byte() & 1;
}

uint32_t FuzzInput::uint32()
{
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | byte();
    return value;
}

uint64_t FuzzInput::uint64()
{
    return (uint64_t(uint32()) << 32) | uint32();
}

uint32_t FuzzInput::below(uint32_t count)
{
    if (count == 0)
        return 0;
    // One byte is enough for the small choices targets make; it keeps inputs short.
    if (count <= 256)
        return byte() % count;
    return uint32() % count;
}

double FuzzInput::anyDouble()
{
    const uint64_t bits = uint64();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QString FuzzInput::utf8(int maxBytes)
{
    const size_t length = std::min<size_t>(below(uint32_t(maxBytes) + 1), m_size);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(m_data), int(length));
    m_data += length;
    m_size -= length;
    return text;
}

QString FuzzInput::restAsUtf8()
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(m_data), int(m_size));
    m_data += m_size;
    m_size = 0;
    return text;
}

QString FuzzInput::utf16(int maxUnits)
{
    const int length = int(below(uint32_t(maxUnits) + 1));
    QString text;
    for (int i = 0; i < length && m_size >= 2; ++i)
        text += QChar(ushort((byte() << 8) | byte()));
    return text;
}

QString FuzzInput::textFrom(const QString &alphabet, int maxChars)
{
    const int length = int(below(uint32_t(maxChars) + 1));
    QString text;
    for (int i = 0; i < length && m_size > 0; ++i) {
        const uint8_t pick = byte();
        if (pick == 0xff || alphabet.isEmpty())
            text += QChar(ushort((byte() << 8) | byte()));
        else
            text += alphabet.at(pick % alphabet.size());
    }
    return text;
}
