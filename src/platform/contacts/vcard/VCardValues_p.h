#pragma once

#include "platform/contacts/StoreDateComponents.h"
#include "platform/contacts/vcard/VCardEscaping_p.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <string>

struct VCardLine;

// Values of the neutral line form as the property readers need them: the text
// with its transfer encoding and charset removed, plain or split into the
// components of a structured value, and dates.
class VCardValues {
public:
    explicit VCardValues(const VCardLine &line);

    // False when the value's BASE64 text was broken.
    [[nodiscard]] bool isValid() const { return m_valid; }

    // The still escaped text of the value.
    [[nodiscard]] QStringView escapedText() const { return m_text; }
    [[nodiscard]] QString text() const { return unescaped(m_text); }
    // Component `index` of a value split at ";" (empty past the end).
    [[nodiscard]] QString component(qsizetype index) const;
    [[nodiscard]] qsizetype componentCount() const;

    // The bytes of a BASE64 value, or of a 4.0 "data:…;base64," URI.
    [[nodiscard]] std::optional<QByteArray> binary() const;

    // "1980-03-22", "19800322", "2012-06-06T00:00:00Z", "--0415", "--04-15",
    // "---15", "1980-03", "1980"; with X-APPLE-OMIT-YEAR=1604 "1604-04-15" has
    // no year.
    [[nodiscard]] static std::optional<StoreDateComponents> parseDate(QStringView text, QStringView omittedYear);
    // The form a vCard 3.0 writer uses; `omittedYear` is set to "1604" for a
    // date without a year, which the value then carries in its place.
    [[nodiscard]] static std::string formatDate(const StoreDateComponents &date, bool *omittedYear);

private:
    // Short values that repeat from card to card (countries, regions,
    // organisations, family names) are shared (RecentStrings).
    [[nodiscard]] static QString unescaped(QStringView escaped);

    const VCardLine &m_line;
    QString m_storage;
    QStringView m_text;
    const VCardEscaping::Components &components() const;

    mutable VCardEscaping::Components m_components;
    mutable bool m_split = false;
    bool m_valid = true;
};
