#pragma once

#include <QLatin1StringView>
#include <QString>

struct VCardLine;

// Store labels and vCard TYPE parameters, both ways. A label with no TYPE
// form (the user's own, "_$!<HomePage>!$_", every relation and date label)
// travels as "itemN.X-ABLabel" beside its value.
class VCardLabels {
public:
    VCardLabels() = delete;

    enum class Kind { Phone, Other };

    // The TYPE list a writer puts on a value with this label ("HOME,FAX");
    // empty when the label needs an X-ABLabel line instead (or is empty).
    [[nodiscard]] static QLatin1StringView typesForLabel(Kind kind, const QString &label);

    // The label that the TYPE parameters of a line stand for: the store's
    // constant for the standard types, else the first type that says more
    // than PREF, VOICE or INTERNET, as written ("X-NEC-SECRET"); empty when
    // there is none.
    [[nodiscard]] static QString labelForTypes(Kind kind, const VCardLine &line);

    // "spouse" of a 4.0 RELATED line → "_$!<Spouse>!$_"; empty for others.
    [[nodiscard]] static QString relationLabelForType(QStringView type);

    // Service names spelt as the store spells its own ("twitter" → "Twitter");
    // any other name comes back as written.
    [[nodiscard]] static QString knownInstantMessageService(QStringView service);
    [[nodiscard]] static QString knownSocialProfileService(QStringView service);

    // The URI scheme of an IMPP value and the service it names, both ways
    // ("xmpp" ↔ Jabber). Services without a scheme of their own use "x-apple".
    [[nodiscard]] static QString instantMessageServiceForScheme(QStringView scheme);
    [[nodiscard]] static QLatin1StringView schemeForInstantMessageService(const QString &service);
};
