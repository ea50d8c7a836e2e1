#include "map/leading_number.h"

#include <locale.h>
#include <clocale>
#include <cstdlib>
#include <string>

namespace velmora {
namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

}  // namespace

double leadingNumber(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))) {
        ++i;
    }
    std::string number;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        number += static_cast<char>(text[i++].toLatin1());
    }
    bool anyDigit = false;
    auto readDigits = [&] {
        while (i < n && isDigit(text[i])) {
            number += static_cast<char>(text[i++].toLatin1());
            anyDigit = true;
        }
    };
    readDigits();
    if (i < n && text[i] == QLatin1Char('.')) {
        number += '.';
        ++i;
        readDigits();
    }
    if (!anyDigit) {
        return 0;
    }
    // An exponent counts only when at least one digit follows its letter and sign.
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-'))) {
            ++j;
        }
        if (j < n && isDigit(text[j])) {
            number += 'e';
            number += text.mid(i + 1, j - i - 1).toStdString();
            i = j;
            while (i < n && isDigit(text[i])) {
                number += static_cast<char>(text[i++].toLatin1());
            }
        }
    }
    // The number is read with a decimal point whatever the player's locale says.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(number.c_str(), nullptr, cLocale);
}

}  // namespace velmora
