#pragma once

#include <QString>
#include <QVariantMap>

#include <optional>

// One postal-code hit: a line of the area table ("K") or of the large-office
// table ("J") turned into the parts an address is made of. The kana come from
// the tables as half-width katakana and stay so.
struct PostalRecord {
    QString zip; // "123-4567"
    QString state; // prefecture
    QString city;
    QString street; // town area; for an office also its block detail
    QString phoneticCity; // empty for an office
    QString phoneticStreet; // empty for an office
    QString company; // empty for an area
    // Offices only: an area record has no such key at all.
    std::optional<QString> phoneticCompany;

    // The record as the dictionary the postal-code sheet and its notification
    // pass on, under the keys "ZIP", "State", "City", "Street", "PhoneticCity",
    // "PhoneticStreet", "Company" and, for offices, "PhoneticCompany".
    [[nodiscard]] QVariantMap toVariantMap() const;

    friend bool operator==(const PostalRecord &, const PostalRecord &) = default;
};
