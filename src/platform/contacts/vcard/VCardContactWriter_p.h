#pragma once

#include "platform/contacts/StoreContact.h"
#include "platform/contacts/vcard/VCardLabels_p.h"

#include <QLatin1StringView>
#include <QString>

#include <string>
#include <string_view>

// Writes store contacts as vCard 3.0 cards. Each content line is written
// straight into the output; one longer than a physical line is folded there
// afterwards.
class VCardContactWriter {
public:
    explicit VCardContactWriter(std::string &out)
        : m_out(out)
    {
    }

    void write(const StoreContact &contact);

private:
    // How a labeled value says its label: a TYPE list where one stands for it,
    // else an X-ABLabel line; relations, dates and profiles always use the line.
    enum class LabelStyle { Types, ItemLabel };

    void beginLine(std::string_view name);
    void appendParameter(std::string_view name, QStringView value);
    void appendValue(QStringView text); // ":" and the escaped text
    void appendComponent(QStringView text); // ";" and the escaped text
    void endLine();
    void writeTextLine(std::string_view name, const QString &text); // skipped when empty

    // Starts "itemN.NAME;TYPE=…" for a value with this label; `grouped`
    // forces a group (for X-ABADR). Returns the group, empty for none.
    std::string beginLabeledLine(std::string_view name, const QString &label, LabelStyle style, VCardLabels::Kind kind,
        bool grouped = false, QLatin1StringView extraType = {});
    void writeItemLabel(const std::string &group, const QString &label, LabelStyle style, VCardLabels::Kind kind);

    void writeNames(const StoreContact &contact);
    void writeOrganization(const StoreContact &contact);
    void writePhoneNumbers(const StoreContact &contact);
    void writeStrings(std::string_view name, const StoreContact::Strings &values, QLatin1StringView extraType);
    void writePostalAddresses(const StoreContact &contact);
    void writeDates(const StoreContact &contact);
    void writeRelations(const StoreContact &contact);
    void writeInstantMessages(const StoreContact &contact);
    void writeSocialProfiles(const StoreContact &contact);
    void writeBirthday(const StoreContact &contact);
    void appendFormattedName(const StoreContact &contact);

    std::string &m_out;
    std::size_t m_lineStart = 0; // where the line being written starts in m_out
    std::string m_longLine; // a copy of a line being folded
    int m_item = 0;
};
