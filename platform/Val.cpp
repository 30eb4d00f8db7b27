#include "Val.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace platform {

namespace {

// Val ignores these anywhere inside the number, not only in front of it.
bool isSkipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

int digitValue(QChar c, int radix)
{
    const char16_t u = c.unicode();
    int d = -1;
    if (u >= u'0' && u <= u'9')
        d = u - u'0';
    else if (u >= u'a' && u <= u'z')
        d = u - u'a' + 10;
    else if (u >= u'A' && u <= u'Z')
        d = u - u'A' + 10;
    return d >= 0 && d < radix ? d : -1;
}

// &H and &O numbers are integers: up to 16 bits they read as a signed 16-bit
// value (&HFFFF is -1), up to 32 bits as a signed 32-bit value; anything wider
// does not fit and reads as 0.
double radixNumber(const QString &text, qsizetype i, int radix)
{
    quint64 value = 0;
    bool overflow = false;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isSkipped(c))
            continue;
        const int d = digitValue(c, radix);
        if (d < 0)
            break;
        value = value * quint64(radix) + quint64(d);
        if (value > 0xFFFFFFFFu)
            overflow = true;
    }
    if (overflow)
        return 0;
    if (value <= 0xFFFF)
        return qint16(quint16(value));
    return qint32(quint32(value));
}

} // namespace

double Val(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && isSkipped(text.at(i)))
        ++i;

    if (i < text.size() && text.at(i) == u'&') {
        qsizetype j = i + 1;
        while (j < text.size() && isSkipped(text.at(j)))
            ++j;
        if (j < text.size()) {
            const char16_t p = text.at(j).toUpper().unicode();
            if (p == u'H')
                return radixNumber(text, j + 1, 16);
            if (p == u'O')
                return radixNumber(text, j + 1, 8);
        }
        return 0;
    }

    // Collect the number without the ignored characters, in the form from_chars
    // reads (no '+', exponent letter 'e'), independent of the C locale.
    std::string number;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    bool haveDigits = false;
    bool havePoint = false;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isSkipped(c))
            continue;
        if (c >= u'0' && c <= u'9') {
            number += char(c.unicode());
            haveDigits = true;
        } else if (c == u'.' && !havePoint) {
            number += '.';
            havePoint = true;
        } else {
            break;
        }
    }
    if (!haveDigits)
        return 0;

    // An exponent counts only when at least one digit follows the letter.
    if (i < text.size()) {
        const char16_t e = text.at(i).toUpper().unicode();
        if (e == u'E' || e == u'D') {
            std::string exponent = "e";
            qsizetype j = i + 1;
            while (j < text.size() && isSkipped(text.at(j)))
                ++j;
            if (j < text.size() && (text.at(j) == u'+' || text.at(j) == u'-'))
                exponent += char(text.at(j++).unicode());
            bool expDigits = false;
            for (; j < text.size(); ++j) {
                const QChar c = text.at(j);
                if (isSkipped(c))
                    continue;
                if (c < u'0' || c > u'9')
                    break;
                exponent += char(c.unicode());
                expDigits = true;
            }
            if (expDigits)
                number += exponent;
        }
    }

    double value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    Q_UNUSED(end);
    // A number beyond the range of a double is an overflow: it reads as 0. A
    // number too small to represent is 0 as well.
    if (ec != std::errc() || !std::isfinite(value))
        return 0;
    return negative ? -value : value;
}

namespace {

template<typename Int>
Int roundToInt(double value)
{
    if (!std::isfinite(value))
        return 0;
    // nearbyint under the default rounding mode rounds half to even, as CInt does.
    const double r = std::nearbyint(value);
    if (r < double(std::numeric_limits<Int>::min()) || r > double(std::numeric_limits<Int>::max()))
        return 0;
    return Int(r);
}

} // namespace

qint16 ValInt16(const QString &text)
{
    return roundToInt<qint16>(Val(text));
}

qint32 ValInt32(const QString &text)
{
    return roundToInt<qint32>(Val(text));
}

} // namespace platform
