#pragma once

#include "interchange/PostalRecord.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariantMap>

#include <memory>
#include <optional>

class PostalDatabase;

// The postal-code search behind the postal-code sheet and the address editor:
// a postal code, or its first digits, lists its areas and offices; an address
// lists the postal codes of the areas it names. It scans the postal cache
// literally, line by line, on every query; the cache is built once per process
// and shared by every search.
//
// The sheet derives from this class and shows `table()`, refreshing its view in
// reloadResultView(); the address editor makes one of its own only to call
// addressesFromZip().
class ZipSearch {
public:
    // What the last search looked for.
    enum SearchMode : qint32 {
        NoSearch = 0,
        AddressSearch = 1,
        PostalCodeSearch = 2,
    };

    // Searches the process-wide cache, built (or waited for) by the first search.
    ZipSearch() = default;
    // Searches `database` instead, which tests fill from files of their own.
    explicit ZipSearch(std::shared_ptr<const PostalDatabase> database);
    virtual ~ZipSearch();

    ZipSearch(const ZipSearch &) = delete;
    ZipSearch &operator=(const ZipSearch &) = delete;

    // The process-wide cache of the resources ":/ken_all.gzip" and
    // ":/jigyosyo.gzip", built on the first call from any thread; a call that
    // comes while another thread builds it waits until both tables are in.
    [[nodiscard]] static std::shared_ptr<const PostalDatabase> zipdb();

    // Runs the search a query typed into the sheet asks for: two or more
    // leading digits (or hyphens) search postal codes, text without a leading
    // digit searches addresses, a single digit searches nothing. The area
    // table is searched first, the office table only when it gives no hit.
    // `table()` is emptied first and holds the hits afterwards.
    void searchForQuery(const QString &query);

    // Records of every area and then every office whose postal code begins with
    // `zip`; touches neither `table()` nor the search mode.
    [[nodiscard]] QList<PostalRecord> addressesFromZip(const QString &zip) const;

    // The town areas the area table lists for a prefecture and city, in
    // table order (a town of several codes as often), the placeholder left out.
    [[nodiscard]] QStringList townsOfCity(const QString &state, const QString &city) const;

    // The street an address takes from a postal-code hit, given the
    // address's old prefecture, city and street: the hit's town followed by
    // what the old street holds after its own town (block, house number,
    // building). The old town is the longest one townsOfCity() lists at the
    // front of the street; when none is there, the street is kept from its
    // first digit on. An empty street becomes the town alone; a hit that
    // names no town keeps the old street; an office's street is its own.
    [[nodiscard]] QString streetForHit(
        const PostalRecord &hit, const QString &state, const QString &city, const QString &street) const;

    // A town area's name; empty for the placeholder of a code that names no
    // town ("以下に掲載がない場合").
    [[nodiscard]] static QString townName(const QString &town);

    // Appends to `table()` the records of the lines of `text` (a cache text)
    // whose postal code begins with `zip`, and returns the size of `table()`.
    qsizetype findAddress(const QString &zip, QStringView text);

    // Appends to `table()` the records of the lines of `text` that the address
    // `query` names, and returns the size of `table()`.
    qsizetype findZip(const QString &query, QStringView text);

    // Appends the records of kept lines to `table()`.
    void linesToTable(QStringView lines);

    // The leading run of decimal digits (of any script) and "-", or nothing
    // when the string starts with neither.
    [[nodiscard]] static std::optional<QString> findNumericString(const QString &string);

    // One record per non-empty kept line, in line order.
    [[nodiscard]] static QList<PostalRecord> dictionariesFromFindLines(QStringView lines);

    // Removes one leading and one trailing double quote from a string of three
    // or more characters; shorter strings stay as they are.
    [[nodiscard]] static QString stripDoublequote(const QString &string);

    // "1234567" → "123-4567"; strings shorter than three characters stay as
    // they are.
    [[nodiscard]] static QString formatZIP(const QString &string);

    // The first dictionary of `labels` whose "Label" is `label`, or null.
    [[nodiscard]] static const QVariantMap *labelDictForLabel(const QString &label, const QList<QVariantMap> &labels);

    [[nodiscard]] const QList<PostalRecord> &table() const { return m_table; }
    void clearTable() { m_table.clear(); }

    [[nodiscard]] qint32 zipSearchMode() const { return m_zipSearchMode; }
    void setZipSearchMode(qint32 mode) { m_zipSearchMode = mode; }

protected:
    // Called whenever a search has changed `table()`.
    virtual void reloadResultView() { }

private:
    [[nodiscard]] const PostalDatabase &database() const;

    // Empty until the first search when no database was given.
    mutable std::shared_ptr<const PostalDatabase> m_database;
    QList<PostalRecord> m_table;
    qint32 m_zipSearchMode = NoSearch;
};
