#pragma once

#include <QString>

namespace velmora {

// The number a text starts with: leading blanks are skipped, then an optional sign, digits, an
// optional decimal point with digits and an optional exponent are read up to the first
// character that cannot continue the number. A text that does not start with a number is 0.
// A number too large for a double comes back as infinity.
double leadingNumber(const QString& text);

}  // namespace velmora
