#pragma once

#include <QString>
#include <QtGlobal>

namespace platform {

// The leading number of a text, as the BASIC Val function reads it: leading blanks
// skipped, an optional sign, digits (blanks between them ignored), a decimal point,
// an exponent, or &H / &O prefixed hexadecimal and octal. Text without a leading
// number is 0.
double Val(const QString &text);

// Val converted to a 16-bit or 32-bit integer (rounded half to even); a value that
// does not fit gives 0.
qint16 ValInt16(const QString &text);
qint32 ValInt32(const QString &text);

} // namespace platform
