#include "model/NormalizePhoneNumber.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <span>

namespace {

// Forms people type between digit groups besides "-", "(", ")" and " ":
// "03.1234.5678" and "089/123456" in Europe, no-break and narrow no-break
// spaces from word processors, the ideographic space and the dashes and
// minus signs of Japanese input methods.
[[nodiscard]] bool isSeparator(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'-' || u == u'(' || u == u')' || u == u' ' || u == u'.' || u == u'/' || u == 0x00A0 || u == 0x202F
        || u == 0x3000 || (u >= 0x2010 && u <= 0x2015) || u == 0x2212;
}

// Japanese input gives "０３（１２３４）５６７８" and "＋８１": full-width forms
// of ASCII become ASCII, so that they count as digits, "+" and separators.
[[nodiscard]] QString foldFullWidth(const QString &text)
{
    QString folded = text;
    for (QChar &c : folded) {
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E)
            c = QChar(char16_t(c.unicode() - 0xFF01 + 0x21));
    }
    return folded;
}

[[nodiscard]] qsizetype digitCount(const QString &text)
{
    return std::count_if(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

[[nodiscard]] QString leadingDigits(const QString &text)
{
    const qsizetype start = text.startsWith(QLatin1Char('+')) ? 1 : 0;
    qsizetype end = start;
    while (end < text.size() && text.at(end) >= QLatin1Char('0') && text.at(end) <= QLatin1Char('9'))
        ++end;
    return end > start ? text.left(end) : QString();
}

// One row of a layout: from this length on, the number is cut from the right
// into these groups (reading order) and the rest becomes the area code.
struct LayoutRule {
    qsizetype minimumLength = 0;
    std::span<const int> groups;
    QLatin1Char separator{'-'};
};

constexpr int kFour[] = {4};
constexpr int kFourFour[] = {4, 4};
constexpr int kThreeFour[] = {3, 4};
constexpr int kTwoFour[] = {2, 4};
constexpr int kTwoTwo[] = {2, 2};
constexpr int kTwoTwoTwo[] = {2, 2, 2};
constexpr int kTwoTwoTwoTwo[] = {2, 2, 2, 2};

const LayoutRule kFourPlusFour[] = {{9, kFourFour}, {5, kFour}};
const LayoutRule kThreePlusFour[] = {{8, kThreeFour}, {5, kFour}};
const LayoutRule kTwoPlusFour[] = {{7, kTwoFour}, {5, kFour}};
const LayoutRule kQuadTwo[]
    = {{9, kTwoTwoTwoTwo, QLatin1Char(' ')}, {7, kTwoTwoTwo, QLatin1Char(' ')}, {5, kTwoTwo, QLatin1Char(' ')}};

[[nodiscard]] std::span<const LayoutRule> rulesFor(NormalizePhoneNumber::Layout layout)
{
    switch (layout) {
    case NormalizePhoneNumber::Layout::FourPlusFour:
        return kFourPlusFour;
    case NormalizePhoneNumber::Layout::ThreePlusFour:
        return kThreePlusFour;
    case NormalizePhoneNumber::Layout::TwoPlusFour:
        return kTwoPlusFour;
    case NormalizePhoneNumber::Layout::QuadTwo:
        return kQuadTwo;
    }
    return {};
}

[[nodiscard]] QString layOut(const QString &number, std::span<const LayoutRule> rules)
{
    const qsizetype length = number.size();
    for (const LayoutRule &rule : rules) {
        if (length < rule.minimumLength)
            continue;
        qsizetype position = length;
        for (int size : rule.groups)
            position -= size;
        QString result = QLatin1Char('(') + number.left(position) + QStringLiteral(") ");
        for (std::size_t index = 0; index < rule.groups.size(); ++index) {
            if (index > 0)
                result += rule.separator;
            result += number.mid(position, rule.groups[index]);
            position += rule.groups[index];
        }
        return result;
    }
    return number;
}

[[nodiscard]] bool isLineBreak(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x0A && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029;
}

} // namespace

NormalizePhoneNumber::NormalizePhoneNumber()
{
    QFile file(QStringLiteral(":/CountryNumbers.csv"));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("%s: ERROR cannot read the calling-code table: %s", Q_FUNC_INFO, qPrintable(file.errorString()));
        return;
    }
    m_countryNumbers = arrayFromCountryNumbersString(QString::fromUtf8(file.readAll()));
}

QList<CountryNumberRow> NormalizePhoneNumber::arrayFromCountryNumbersString(const QString &text)
{
    QList<CountryNumberRow> rows;
    qsizetype start = 0;
    int lineNumber = 0;
    while (start <= text.size() && !text.isEmpty()) {
        qsizetype end = start;
        while (end < text.size() && !isLineBreak(text.at(end)))
            ++end;
        const QString line = text.mid(start, end - start);
        start = end + 1;
        // "\r\n" gives an empty line between the two breaks, skipped below like any short line.
        if (++lineNumber == 1 || line.size() < 2)
            continue;
        const QStringList fields = line.split(QLatin1Char(','));
        if (fields.size() != 4) {
            qWarning("%s: ERROR line %d of the calling-code table has %lld fields", Q_FUNC_INFO, lineNumber,
                static_cast<long long>(fields.size()));
            rows.append(CountryNumberRow{});
            continue;
        }
        rows.append(CountryNumberRow{fields.at(0).left(1), fields.at(0), fields.at(1), fields.at(2), fields.at(3)});
    }
    return rows;
}

void NormalizePhoneNumber::setPhoneNumber(const QString &number)
{
    const QString folded = foldFullWidth(number);
    const QString cleaned = normalizeExtension(removeHyphenAndParenthesis(folded));
    m_keptAsWritten = digitCount(cleaned) < digitCount(folded);
    m_phoneNumber = m_keptAsWritten ? number : cleaned;
    std::stable_sort(m_countryNumbers.begin(), m_countryNumbers.end(),
        [](const CountryNumberRow &a, const CountryNumberRow &b) { return a.number < b.number; });
}

QString NormalizePhoneNumber::fourPlusFour() const
{
    return formatted(Layout::FourPlusFour);
}

QString NormalizePhoneNumber::threePlusFour() const
{
    return formatted(Layout::ThreePlusFour);
}

QString NormalizePhoneNumber::twoPlusFour() const
{
    return formatted(Layout::TwoPlusFour);
}

QString NormalizePhoneNumber::quadTwo() const
{
    return formatted(Layout::QuadTwo);
}

QString NormalizePhoneNumber::countryNumber(const QString &number) const
{
    if (!number.startsWith(QLatin1Char('+')))
        return {};
    const QChar second = number.size() > 1 ? number.at(1) : QChar();
    const QString firstDigit
        = (second >= QLatin1Char('0') && second <= QLatin1Char('9')) ? QString(second) : QStringLiteral("0");
    const QStringView digits = QStringView(number).mid(1);
    for (const CountryNumberRow &row : m_countryNumbers) {
        if (row.firstDigit < firstDigit)
            continue;
        if (row.firstDigit > firstDigit)
            break;
        if (number.size() > row.number.size() + 1 && digits.startsWith(row.number))
            return row.number;
    }
    return {};
}

QString NormalizePhoneNumber::removeHyphenAndParenthesis(const QString &text)
{
    QString result = text;
    result.removeIf(isSeparator);
    return result;
}

QString NormalizePhoneNumber::normalizeExtension(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("(ext\\.|ext|x)[0-9]"));
    const QRegularExpressionMatch match = marker.match(text);
    if (match.hasMatch()) {
        QString result = text;
        return result.replace(match.capturedStart(), match.capturedLength() - 1, QLatin1Char('x'));
    }
    return leadingDigits(text);
}

QString NormalizePhoneNumber::formatted(Layout layout) const
{
    if (m_keptAsWritten)
        return m_phoneNumber;
    QString number = m_phoneNumber;
    QString extension;
    const qsizetype x = number.indexOf(QLatin1Char('x'));
    if (x >= 0 && x + 1 < number.size()) {
        extension = number.mid(x + 1);
        number.truncate(x);
    }
    const QString code = countryNumber(number);
    if (!code.isEmpty())
        number = number.mid(code.size() + 1);

    QString result = layOut(number, rulesFor(layout));
    if (!extension.isEmpty())
        result += QStringLiteral(" x") + extension;
    if (!code.isEmpty())
        result = QLatin1Char('+') + code + QLatin1Char(' ') + result;
    return result;
}
