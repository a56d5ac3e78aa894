#include "model/AddressFormatTable.h"

#include "model/ContactIdentifier.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <optional>

#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace {

const QString englishLanguage = QStringLiteral("en");

// The country's name in the language of the locale "<language>_<region>".
QString countryNameInLanguage(const QString &countryCode, const QString &language, const QString &region)
{
    const QByteArray localeId = (language + u'_' + region).toLatin1();
    const icu::Locale displayLocale(localeId.constData());
    const icu::Locale countryLocale("", countryCode.toLatin1().constData());
    icu::UnicodeString name;
    countryLocale.getDisplayCountry(displayLocale, name);
    return QString(reinterpret_cast<const QChar *>(name.getBuffer()), name.length());
}

QList<AddressFormatRow> rowsFromJson(const QByteArray &json)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        qWarning("%s: ERROR can't read the address formats: %s", Q_FUNC_INFO, qUtf8Printable(error.errorString()));
        return {};
    }
    QList<AddressFormatRow> rows;
    const QJsonArray array = document.object().value(QStringLiteral("AddressFormat")).toArray();
    rows.reserve(array.size());
    for (const QJsonValue &value : array)
        rows.append(AddressFormatRow::fromVariantMap(value.toObject().toVariantMap()));
    return rows;
}

// Two ASCII letters as one number, capitalised when asked; nullopt for
// any other code.
std::optional<quint32> letterPair(const QString &code, bool capitalise)
{
    if (code.size() != 2)
        return std::nullopt;
    quint32 key = 0;
    for (const QChar c : code) {
        char16_t letter = c.unicode();
        if (letter >= 0x80)
            return std::nullopt;
        if (capitalise && letter >= u'a' && letter <= u'z')
            letter = char16_t(letter - u'a' + u'A');
        key = (key << 8) | letter;
    }
    return key;
}

} // namespace

AddressFormatTable AddressFormatTable::fromJson(const QByteArray &json, const QString &language, const QString &region)
{
    AddressFormatTable table;
    for (AddressFormatRow &row : rowsFromJson(json)) {
        table.localize(row, language, region);
        auto shared = std::make_shared<AddressFormatRow>(std::move(row));
        table.insertByCode(shared);
        table.m_rows.append(shared);
    }
    return table;
}

AddressFormatTable AddressFormatTable::fromResource()
{
    QFile file(QStringLiteral(":/AddressFormat.json"));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("%s: ERROR can't open %s", Q_FUNC_INFO, qUtf8Printable(file.fileName()));
        return {};
    }
    return fromJson(file.readAll(), userLanguage(), userRegion());
}

AddressFormatTable &AddressFormatTable::shared()
{
    static AddressFormatTable table = fromResource();
    return table;
}

void AddressFormatTable::localize(AddressFormatRow &row, const QString &language, const QString &region) const
{
    if (language != englishLanguage) {
        row.localizedCountry = countryNameInLanguage(row.countryCode, language, region);
        row.language = language;
    }
    row.order = AddressFormatRow::orderFromFormatString(row.formatString);
}

void AddressFormatTable::insertByCode(const AddressFormatRowPtr &row)
{
    m_rowsByCode.insert(row->countryCode, row);
    if (const std::optional<quint32> key = letterPair(row->countryCode, false))
        m_rowsByLetterPair.insert(*key, row);
}

AddressFormatRowPtr AddressFormatTable::rowForCode(const QString &countryCode) const
{
    if (const std::optional<quint32> key = letterPair(countryCode, true))
        return m_rowsByLetterPair.value(*key);
    return m_rowsByCode.value(countryCode.toUpper());
}

void AddressFormatTable::mergeRows(const QList<AddressFormatRow> &rows, const QString &language, const QString &region)
{
    const QString mergeLanguage = language.isEmpty() ? QStringLiteral("US") : language;
    for (AddressFormatRow row : rows) {
        localize(row, mergeLanguage, region);
        row.keyedByLanguage = row.language.has_value();
        auto shared = std::make_shared<AddressFormatRow>(std::move(row));
        insertByCode(shared);
        for (AddressFormatRowPtr &existing : m_rows) {
            if (existing->countryCode == shared->countryCode) {
                existing = shared;
                break;
            }
        }
    }
}

QString AddressFormatTable::predictCountryCode(const QString &countryName) const
{
    const auto firstCodeWhere = [this](auto matches) -> std::optional<QString> {
        for (const AddressFormatRowPtr &row : m_rows) {
            if (matches(*row))
                return row->countryCode;
        }
        return std::nullopt;
    };
    if (auto code = firstCodeWhere([&](const AddressFormatRow &row) { return row.country == countryName; }))
        return *code;
    if (auto code = firstCodeWhere([&](const AddressFormatRow &row) { return row.countryCode == countryName; }))
        return *code;
    if (auto code = firstCodeWhere([&](const AddressFormatRow &row) { return row.alpha3 == countryName; }))
        return *code;
    if (countryName == u"日本")
        return QStringLiteral("JP");
    if (countryName.toLower() == u"française")
        return QStringLiteral("FR");
    if (auto code = firstCodeWhere([&](const AddressFormatRow &row) { return row.localizedCountry == countryName; }))
        return *code;
    return {};
}

QStringList AddressFormatTable::orderOfaddressFormats(const QString &countryCode, const QString &) const
{
    QStringList order{countryCode};
    order.append(fieldOrder(countryCode));
    return order;
}

QStringList AddressFormatTable::fieldOrder(const QString &countryCode) const
{
    const AddressFormatRowPtr row = rowForCode(countryCode);
    if (row && !row->order.isEmpty())
        return row->order;
    static const QStringList order = defaultOrder();
    return order;
}

QStringList AddressFormatTable::defaultOrder()
{
    return {FieldId::Street, FieldId::City, FieldId::State, FieldId::ZIP, FieldId::Country};
}

QString AddressFormatTable::userLanguage()
{
    // The application's locale, which follows the system's unless set.
    const QStringList languages = QLocale().uiLanguages();
    const QString language = languages.isEmpty() ? QString() : languages.first().left(2);
    // The POSIX "C" locale names no language; its texts are English.
    return language.isEmpty() || language == u"C" ? englishLanguage : language;
}

QString AddressFormatTable::userRegion()
{
    return QLocale::territoryToCode(QLocale::system().territory());
}
