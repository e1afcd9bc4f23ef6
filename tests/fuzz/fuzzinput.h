#ifndef FUZZINPUT_H
#define FUZZINPUT_H

#include <QString>
#include <QVector>

#include <cstddef>
#include <cstdint>

/**
 * Reads typed values off a fuzzer's input, front to back. Once the bytes run
 * out every read gives zero or an empty text, so a target never needs to check
 * the length itself and a short input is still a complete test case.
 */
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size);

    bool isEmpty() const;
    size_t remaining() const;

    uint8_t byte();
    bool flag();
    uint32_t uint32();
    uint64_t uint64();
    /** A value in [0, count); 0 when @p count is 0. */
    uint32_t below(uint32_t count);
    /** Any bit pattern: NaN, infinities and subnormals included. */
    double anyDouble();

    /** Up to @p maxBytes bytes (the length is read first) decoded as UTF-8, invalid sequences included. */
    QString utf8(int maxBytes);
    /** Everything that is left, decoded as UTF-8. */
    QString restAsUtf8();
    /** Up to @p maxUnits UTF-16 code units taken raw: lone surrogates and NUL included. */
    QString utf16(int maxUnits);
    /** Up to @p maxChars characters, each picked from @p alphabet or, now and then, any code unit. */
    QString textFrom(const QString &alphabet, int maxChars);

private:
    const uint8_t *m_data;
    size_t m_size;
};

#endif
