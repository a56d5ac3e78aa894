#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <memory>

class PrintInfo;
struct VerticalFontEntry;
class UserDefaults;

// The settings record of the print panel accessory. It has a layout of its
// own (sub-records "Address List Options" and the like, font and margins also
// at the top level), so it lives under a key of its own: the print options
// record that the sheet, the preview and every print read is never touched.
namespace AccessoryOptions {

inline const QString defaultsKey = QStringLiteral("MV1DaccessoryPrintOptions");
inline const QString lastPrintStyleKey = QStringLiteral("MV1DlastPrintStyle");
// The style kept in the print info's dictionary.
inline const QString printTypeKey = QStringLiteral("KelvoPrintType");

inline const QString AddressListOptions = QStringLiteral("Address List Options");
inline const QString MailingLabelsOptions = QStringLiteral("Mailing Labels Options");
inline const QString EnvelopeOptions = QStringLiteral("Envelope Options");
inline const QString HagakiOptions = QStringLiteral("Hagaki Options");

// The record as built, "Version" 5.
[[nodiscard]] QVariantMap createPrintOptions();
// The sub-record of a style ("Address List", "Mailing Labels", "Envelope",
// "Hagaki"), or an empty name for any other.
[[nodiscard]] QString subRecordName(const QString &style);

// The stored record when it is a dictionary of version 5 or more, else the
// built one. A sub-record the stored one lacks (or holds as no dictionary)
// is the built record's.
[[nodiscard]] QVariantMap loadPrintOptions(const UserDefaults &defaults);
void storePrintOptions(const QVariantMap &record, UserDefaults &defaults);

// The print panel's summary: ("Header and Footer", "Off"), as pages print no
// header or footer of their own, and ("Print Style", the style localized,
// empty when none is set).
[[nodiscard]] QList<QPair<QString, QString>> localizedSummaryItems(const QString &printStyle);

// The accessory's own list of the faces for vertical text: the printer
// fonts by their names, every other face by its family, each once; the
// standard font's family when there are none.
[[nodiscard]] QStringList verticalFontNames(const QList<VerticalFontEntry> &fonts);

// The style in the print info's dictionary; empty when absent.
[[nodiscard]] QString printStyle(const PrintInfo &printInfo);
void setPrintStyle(PrintInfo &printInfo, const QString &style);

} // namespace AccessoryOptions
