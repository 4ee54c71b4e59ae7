#include "numbers.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace numbers {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Fixed-point text of value rounded to `digits` significant digits.
QString toText(double value, int digits) {
    if (!std::isfinite(value))
        return QString();
    if (value == 0.0)
        return u"0"_qs; // also for -0
    // Scientific form gives the correctly rounded digits and the exponent.
    char buf[64];
    auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, digits - 1);
    std::string sci(buf, res.ptr);
    const bool negative = sci.front() == '-';
    if (negative)
        sci.erase(0, 1);
    const auto e = sci.find('e');
    const int exponent = std::stoi(sci.substr(e + 1));
    std::string mantissa;
    for (char c : sci.substr(0, e))
        if (c != '.')
            mantissa += c;
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();

    std::string intPart, fracPart;
    const int pointAt = exponent + 1; // digits before the decimal separator
    if (pointAt <= 0) {
        intPart = "0";
        fracPart = std::string(static_cast<size_t>(-pointAt), '0') + mantissa;
    } else if (static_cast<size_t>(pointAt) >= mantissa.size()) {
        intPart = mantissa + std::string(static_cast<size_t>(pointAt) - mantissa.size(), '0');
    } else {
        intPart = mantissa.substr(0, static_cast<size_t>(pointAt));
        fracPart = mantissa.substr(static_cast<size_t>(pointAt));
    }
    QString out = QString::fromLatin1(intPart.c_str());
    if (!fracPart.empty())
        out += u',' + QString::fromLatin1(fracPart.c_str());
    if (negative)
        out.prepend(u'-');
    return out;
}

} // namespace

std::optional<double> textToNumber(QStringView text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    std::string ascii;
    ascii.reserve(static_cast<size_t>(end - begin));
    bool negative = false;
    if (begin < end && (text[begin] == u'+' || text[begin] == u'-')) {
        negative = text[begin] == u'-';
        ++begin;
    }
    bool separator = false, digits = false, nonZeroWhole = false;
    for (qsizetype i = begin; i < end; ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            digits = true;
            if (!separator && c != u'0')
                nonZeroWhole = true;
            ascii += static_cast<char>(c.unicode());
        } else if ((c == u',' || c == u'.') && !separator) {
            separator = true;
            ascii += '.';
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    if (ascii.front() == '.')
        ascii.insert(ascii.begin(), '0'); // from_chars wants a digit first
    double value = 0.0;
    const auto res =
        std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, std::chars_format::fixed);
    if (res.ec == std::errc::result_out_of_range) {
        if (nonZeroWhole)
            return std::nullopt; // beyond the double range
        value = 0.0;             // so close to zero that zero is the nearest value
    } else if (res.ec != std::errc() || res.ptr != ascii.data() + ascii.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<double> textToWholeNumber(QStringView text) {
    const auto value = textToNumber(text);
    if (!value)
        return std::nullopt;
    return std::nearbyint(*value); // the default rounding mode sends ties to even
}

QString singleToText(float value) {
    return toText(static_cast<double>(value), 7);
}
QString doubleToText(double value) {
    return toText(value, 15);
}

double roundHalfEven(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    if (!std::isfinite(scaled))
        return value;
    return std::nearbyint(scaled) / scale;
}

int hundredthsOfText(const QString& numberText) {
    const qsizetype comma = numberText.indexOf(u',');
    if (comma < 0)
        return 0;
    const QString digits = numberText.mid(comma + 1, 2);
    int value = 0;
    for (QChar c : digits)
        value = value * 10 + (c.unicode() - u'0');
    return digits.size() == 1 ? value * 10 : value;
}

QString twoDigits(int value) {
    return u"%1"_qs.arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace numbers
