#include "interchange/ZipSearch.h"

#include "interchange/LiteralSearch_p.h"
#include "interchange/PostalDatabase.h"

#include <QDebug>
#include <QVarLengthArray>

namespace {

// Calls `visit(hit, end)` with the first occurrence of a non-empty `pattern`
// on each line of `text` that holds it and the end of that line; the scan
// then resumes on the next line, so a line is visited once.
template <typename Visit> void forEachLineHolding(QStringView text, QStringView pattern, Visit visit)
{
    for (qsizetype hit = LiteralSearch::find(text, 0, pattern); hit >= 0;) {
        const qsizetype end = LiteralSearch::lineEnd(text, hit);
        visit(hit, end);
        hit = LiteralSearch::find(text, end, pattern);
    }
}

// The line of `text` that holds `hit` and ends at `end`, with its line feed.
[[nodiscard]] QStringView lineAt(QStringView text, qsizetype hit, qsizetype end)
{
    const qsizetype start = LiteralSearch::lineStart(text, hit);
    return text.sliced(start, end - start);
}

// Every line of `text` that holds `pattern`.
[[nodiscard]] QString linesContaining(QStringView text, QStringView pattern)
{
    QString lines;
    if (pattern.isEmpty()) {
        return lines;
    }
    forEachLineHolding(text, pattern, [&](qsizetype hit, qsizetype end) { lines += lineAt(text, hit, end); });
    return lines;
}

// Length of the common prefix of `text` and `query`.
[[nodiscard]] qsizetype commonPrefixLength(QStringView text, QStringView query)
{
    const qsizetype limit = qMin(text.size(), query.size());
    qsizetype length = 0;
    while (length < limit && text[length] == query[length]) {
        ++length;
    }
    return length;
}

// The longest prefix of `query` that occurs within one line of `text`, tried
// from the whole query down to its first two characters (a query of one or two
// characters as it is), and every line that holds it.
struct PrefixHits {
    qsizetype length = 0;
    QString lines;
};

// Trying each prefix length with a scan of its own would scan a 20-character
// query's text 18 times; one scan for the first two characters finds, line by
// line, how much of the query each line holds, which gives the same lines.
[[nodiscard]] PrefixHits longestPrefixLines(QStringView text, QStringView query)
{
    if (query.size() <= 2) {
        return {query.size(), linesContaining(text, query)};
    }
    const QStringView seed = query.first(2);
    PrefixHits hits;
    forEachLineHolding(text, seed, [&](qsizetype hit, qsizetype end) {
        const QStringView rest = text.first(end);
        qsizetype longest = 0;
        for (qsizetype at = hit; at >= 0 && longest < query.size(); at = LiteralSearch::find(rest, at + 1, seed)) {
            longest = qMax(longest, commonPrefixLength(rest.sliced(at), query));
        }
        if (longest >= 2 && longest >= hits.length) {
            if (longest > hits.length) {
                hits = {longest, {}};
            }
            hits.lines += lineAt(text, hit, end);
        }
    });
    return hits;
}

// The kept lines of `text` whose postal-code column begins with `code`.
[[nodiscard]] QString postalCodeLines(QStringView text, QStringView code)
{
    // Users write codes as "123-4567"; the tables hold "1234567". A hyphen
    // anywhere else is no postal code and stays, so it finds nothing.
    QString pattern = u'"' + code.toString();
    if (code.size() >= 4 && code[3] == u'-') {
        pattern.remove(4, 1);
    }
    // Only a quoted column that begins with the digits counts, and a complete
    // code only when its column ends there.
    const bool complete = pattern.size() == 8;
    QString lines;
    forEachLineHolding(text, pattern, [&](qsizetype hit, qsizetype end) {
        const qsizetype after = hit + pattern.size();
        const QChar next = after < text.size() ? text[after] : QChar();
        if ((next >= u'0' && next <= u'9') || (complete && next == u'"')) {
            lines += lineAt(text, hit, end);
        }
    });
    return lines;
}

// A column's value for a record. An empty column stands in the tables as an
// empty quoted pair, which stripDoublequote() keeps; the record gets an empty
// value rather than two quote characters that would end up in an address.
[[nodiscard]] QString columnValue(QStringView column)
{
    if (column == u"\"\"") {
        return {};
    }
    return ZipSearch::stripDoublequote(column.toString());
}

// A line's columns without a list of its own: a three-digit code lists
// hundreds of lines, each of up to 15 columns.
using Columns = QVarLengthArray<QStringView, 16>;

[[nodiscard]] PostalRecord recordFromColumns(const Columns &columns)
{
    PostalRecord record;
    if (columns[0] == u"J") {
        record.zip = ZipSearch::formatZIP(columnValue(columns[7]));
        record.state = columnValue(columns[3]);
        record.city = columnValue(columns[4]);
        record.street = columnValue(columns[5]) + columnValue(columns[6]);
        record.company = columnValue(columns[2]);
        record.phoneticCompany = columnValue(columns[1]);
    } else {
        record.zip = ZipSearch::formatZIP(columnValue(columns[1]));
        record.state = columnValue(columns[5]);
        record.city = columnValue(columns[6]);
        record.street = columnValue(columns[7]);
        record.phoneticCity = columnValue(columns[3]);
        record.phoneticStreet = columnValue(columns[4]);
    }
    return record;
}

// What a street holds after its town: after the longest of `towns` at its
// front, else from its first digit on ("2-3-20 メゾン101"), else nothing.
[[nodiscard]] QString streetAfterTown(const QString &street, const QStringList &towns)
{
    qsizetype longest = -1;
    for (const QString &town : towns) {
        if (town.size() > longest && street.startsWith(town)) {
            longest = town.size();
        }
    }
    if (longest >= 0) {
        return street.sliced(longest);
    }
    for (qsizetype at = 0; at < street.size(); ++at) {
        if (street.at(at).isDigit()) {
            return street.sliced(at);
        }
    }
    return {};
}

} // namespace

ZipSearch::ZipSearch(std::shared_ptr<const PostalDatabase> database)
    : m_database(std::move(database))
{
}

ZipSearch::~ZipSearch() = default;

std::shared_ptr<const PostalDatabase> ZipSearch::zipdb()
{
    // A function-local static is initialised exactly once; a thread that comes
    // while another builds it waits, so nobody sees a cache with one table.
    static const std::shared_ptr<const PostalDatabase> database = std::make_shared<const PostalDatabase>(
        PostalDatabase::fromFiles(QStringLiteral(":/ken_all.gzip"), QStringLiteral(":/jigyosyo.gzip")));
    return database;
}

const PostalDatabase &ZipSearch::database() const
{
    if (!m_database) {
        m_database = zipdb();
    }
    return *m_database;
}

void ZipSearch::searchForQuery(const QString &query)
{
    m_table.clear();
    const std::optional<QString> numeric = query.isEmpty() ? std::nullopt : findNumericString(query);
    if (numeric && numeric->size() >= 2) {
        m_zipSearchMode = PostalCodeSearch;
        if (findAddress(*numeric, database().areaText()) == 0) {
            findAddress(*numeric, database().officeText());
        }
        return;
    }
    if (!numeric && !query.isEmpty()) {
        m_zipSearchMode = AddressSearch;
        if (findZip(query, database().areaText()) == 0) {
            findZip(query, database().officeText());
        }
        return;
    }
    // An empty query or a single digit: nothing to search, the list shows empty.
    reloadResultView();
}

QList<PostalRecord> ZipSearch::addressesFromZip(const QString &zip) const
{
    // An empty code would be the prefix of every code in the tables.
    if (zip.isEmpty()) {
        return {};
    }
    return dictionariesFromFindLines(postalCodeLines(database().areaText(), zip))
        + dictionariesFromFindLines(postalCodeLines(database().officeText(), zip));
}

QStringList ZipSearch::townsOfCity(const QString &state, const QString &city) const
{
    QStringList towns;
    if (state.isEmpty() || city.isEmpty()) {
        return towns;
    }
    // Prefecture, city and town stand as three quoted columns in a row on an
    // area line; the town's column ends at its closing quote.
    const QString pattern = u",\"" + state + u"\",\"" + city + u"\",\"";
    const QStringView text = database().areaText();
    forEachLineHolding(text, pattern, [&](qsizetype hit, qsizetype end) {
        const qsizetype start = hit + pattern.size();
        const qsizetype close = text.first(end).indexOf(u'"', start);
        const QString town = townName(text.sliced(start, (close < 0 ? end : close) - start).toString());
        if (!town.isEmpty()) {
            towns.append(town);
        }
    });
    return towns;
}

QString ZipSearch::streetForHit(
    const PostalRecord &hit, const QString &state, const QString &city, const QString &street) const
{
    if (hit.phoneticCompany) {
        return hit.street.isEmpty() ? street : hit.street;
    }
    const QString town = townName(hit.street);
    if (town.isEmpty()) {
        return street;
    }
    if (street.isEmpty()) {
        return town;
    }
    return town + streetAfterTown(street, townsOfCity(state, city));
}

QString ZipSearch::townName(const QString &town)
{
    return town == u"以下に掲載がない場合" ? QString() : town;
}

qsizetype ZipSearch::findAddress(const QString &zip, QStringView text)
{
    if (!zip.isEmpty()) {
        linesToTable(postalCodeLines(text, zip));
    }
    reloadResultView();
    return m_table.size();
}

qsizetype ZipSearch::findZip(const QString &query, QStringView text)
{
    const PrefixHits stage1 = longestPrefixLines(text, query);
    QString hits;
    if (stage1.length == query.size()) {
        hits = stage1.lines;
    } else if (!stage1.lines.isEmpty()) {
        // "東京都千代田区": prefecture and city stand in separate quoted columns, so
        // the rest of the query is looked for within the lines of the first part.
        QStringView rest = QStringView(query).sliced(stage1.length);
        while (rest.startsWith(u' ')) {
            rest = rest.sliced(1);
        }
        // A rest of spaces alone narrows nothing: the first part's lines stand.
        hits = rest.isEmpty() ? stage1.lines : longestPrefixLines(stage1.lines, rest).lines;
    }
    linesToTable(hits);
    reloadResultView();
    return m_table.size();
}

void ZipSearch::linesToTable(QStringView lines)
{
    m_table += dictionariesFromFindLines(lines);
}

std::optional<QString> ZipSearch::findNumericString(const QString &string)
{
    qsizetype length = 0;
    while (length < string.size()) {
        const char32_t character = string.at(length).isHighSurrogate() && length + 1 < string.size()
            ? QChar::surrogateToUcs4(string[length], string[length + 1])
            : string.at(length).unicode();
        if (character != U'-' && !QChar::isDigit(character)) {
            break;
        }
        length += QChar::requiresSurrogates(character) ? 2 : 1;
    }
    if (length == 0) {
        return std::nullopt;
    }
    return string.first(length);
}

QList<PostalRecord> ZipSearch::dictionariesFromFindLines(QStringView lines)
{
    QList<PostalRecord> records;
    qsizetype lineNumber = 0;
    for (const QStringView line : lines.tokenize(u'\n')) {
        ++lineNumber;
        if (line.isEmpty()) {
            continue;
        }
        Columns columns;
        for (const QStringView column : line.tokenize(u',')) {
            columns.append(column);
        }
        if (columns.size() < 8) {
            qWarning(
                "%s: ERROR line %lld has %lld columns", Q_FUNC_INFO, qlonglong(lineNumber), qlonglong(columns.size()));
            continue;
        }
        records.append(recordFromColumns(columns));
    }
    return records;
}

QString ZipSearch::stripDoublequote(const QString &string)
{
    if (string.size() < 3) {
        return string;
    }
    QStringView stripped = string;
    if (stripped.startsWith(u'"')) {
        stripped = stripped.sliced(1);
    }
    if (stripped.endsWith(u'"')) {
        stripped.chop(1);
    }
    return stripped.toString();
}

QString ZipSearch::formatZIP(const QString &string)
{
    if (string.size() < 3) {
        return string;
    }
    return string.first(3) + u'-' + string.sliced(3);
}

const QVariantMap *ZipSearch::labelDictForLabel(const QString &label, const QList<QVariantMap> &labels)
{
    const QString key = QStringLiteral("Label");
    for (const QVariantMap &dictionary : labels) {
        if (dictionary.value(key).toString() == label) {
            return &dictionary;
        }
    }
    return nullptr;
}
