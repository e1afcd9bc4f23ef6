// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef FUZZINPUT_H
#define FUZZINPUT_H

#include <QString>

#include <cstdint>
#include <cstring>

// Reads values off a fuzzer's input, front to back, big-endian. Once the bytes run
// out every read gives zero or an empty text, so a short input is a complete case.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size) : m_data(data), m_size(data ? size : 0) { }

    // One of en_GB ("."), de_DE (","), ar_EG (Arabic-Indic digits, "٫"), fa_IR, he_IL,
    // hi_IN, with the library's catalogs. The application around the targets, on the
    // offscreen platform and without the library's debug traces, is made once in
    // LLVMFuzzerInitialize().
    static QString useLocale(unsigned index);

    bool isEmpty() const { return m_size == 0; }
    uint8_t byte() { return m_size ? (--m_size, *m_data++) : 0; }
    bool flag() { return byte() & 1; }
    uint64_t bytes(int count) { uint64_t value = 0; while (count-- > 0) value = value << 8 | byte(); return value; }
    uint32_t uint32() { return uint32_t(bytes(4)); }
    uint64_t uint64() { return bytes(8); }
    // A value in [0, count); one byte decides up to 256 choices.
    uint32_t below(uint32_t count) { return count ? (count <= 256 ? byte() : uint32()) % count : 0; }
    // Any bit pattern: NaN, infinities and subnormals included.
    double anyDouble() { const uint64_t bits = uint64(); double value; std::memcpy(&value, &bits, sizeof value); return value; }
    // Up to maxBytes bytes (-1: all that is left) as UTF-8, invalid sequences included.
    QString utf8(int maxBytes)
    {
        const size_t length = maxBytes < 0 ? m_size : std::min<size_t>(below(uint32_t(maxBytes) + 1), m_size);
        m_data += length;
        m_size -= length;
        return QString::fromUtf8(reinterpret_cast<const char *>(m_data - length), int(length));
    }
    // Up to maxChars characters from the alphabet or, at 0xff or without one, any UTF-16 unit.
    QString text(const QString &alphabet, int maxChars)
    {
        QString result;
        for (int length = int(below(uint32_t(maxChars) + 1)); length > 0 && m_size > 0; --length) {
            const uint8_t pick = alphabet.isEmpty() ? 0xff : byte();
            result += pick == 0xff ? QChar(ushort(bytes(2))) : alphabet.at(pick % alphabet.size());
        }
        return result;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
};

// Aborts with the input's context, so that the fuzzer keeps the input.
#define FUZZ_CHECK(condition, context)                                                                  \
    do {                                                                                                \
        if (!(condition))                                                                               \
            qFatal("%s:%d: invariant failed: %s\n  input: %s", __FILE__, __LINE__, #condition, qPrintable(context)); \
    } while (false)

#endif
