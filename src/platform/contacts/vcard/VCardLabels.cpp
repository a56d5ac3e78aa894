#include "platform/contacts/vcard/VCardLabels_p.h"

#include "platform/contacts/ContactLabels.h"
#include "platform/contacts/vcard/VCardLine_p.h"

#include <QList>

#include <array>
#include <span>

namespace {

struct LabelTypes {
    QLatin1StringView label;
    QLatin1StringView written; // the TYPE list a writer uses
    QLatin1StringView required; // the types a reader needs, all of them; first match wins
    QLatin1StringView alsoRequired{};
};

constexpr std::array phoneTable{
    LabelTypes{ContactLabels::phoneNumberHomeFax, QLatin1StringView("HOME,FAX"), QLatin1StringView("FAX"),
        QLatin1StringView("HOME")},
    LabelTypes{ContactLabels::phoneNumberWorkFax, QLatin1StringView("WORK,FAX"), QLatin1StringView("FAX"),
        QLatin1StringView("WORK")},
    LabelTypes{ContactLabels::phoneNumberOtherFax, QLatin1StringView("OTHER,FAX"), QLatin1StringView("FAX")},
    LabelTypes{ContactLabels::phoneNumberiPhone, QLatin1StringView("IPHONE,CELL,VOICE"), QLatin1StringView("IPHONE")},
    LabelTypes{ContactLabels::phoneNumberMobile, QLatin1StringView("CELL,VOICE"), QLatin1StringView("CELL")},
    LabelTypes{ContactLabels::phoneNumberMain, QLatin1StringView("MAIN"), QLatin1StringView("MAIN")},
    LabelTypes{ContactLabels::phoneNumberPager, QLatin1StringView("PAGER"), QLatin1StringView("PAGER")},
    LabelTypes{ContactLabels::home, QLatin1StringView("HOME,VOICE"), QLatin1StringView("HOME")},
    LabelTypes{ContactLabels::work, QLatin1StringView("WORK,VOICE"), QLatin1StringView("WORK")},
    LabelTypes{ContactLabels::other, QLatin1StringView("OTHER,VOICE"), QLatin1StringView("OTHER")},
};

constexpr std::array otherTable{
    LabelTypes{ContactLabels::home, QLatin1StringView("HOME"), QLatin1StringView("HOME")},
    LabelTypes{ContactLabels::work, QLatin1StringView("WORK"), QLatin1StringView("WORK")},
    LabelTypes{ContactLabels::other, QLatin1StringView("OTHER"), QLatin1StringView("OTHER")},
};

// Types that say how a value is used, not which one it is.
constexpr std::array neutralTypes{
    QLatin1StringView("PREF"),
    QLatin1StringView("VOICE"),
    QLatin1StringView("INTERNET"),
    QLatin1StringView("X400"),
    QLatin1StringView("POSTAL"),
    QLatin1StringView("PARCEL"),
    QLatin1StringView("DOM"),
    QLatin1StringView("INTL"),
    QLatin1StringView("MSG"),
    QLatin1StringView("TEXT"),
};

std::span<const LabelTypes> tableFor(VCardLabels::Kind kind)
{
    if (kind == VCardLabels::Kind::Phone)
        return phoneTable;
    return otherTable;
}

bool isNeutral(QStringView type)
{
    for (QLatin1StringView neutral : neutralTypes) {
        if (isSameVCardWord(type, neutral))
            return true;
    }
    return false;
}

bool matches(const LabelTypes &row, const VCardLine &line)
{
    return line.hasType(row.required) && (row.alsoRequired.isEmpty() || line.hasType(row.alsoRequired));
}

} // namespace

QLatin1StringView VCardLabels::typesForLabel(Kind kind, const QString &label)
{
    for (const LabelTypes &row : tableFor(kind)) {
        if (label == row.label)
            return row.written;
    }
    return {};
}

QString VCardLabels::labelForTypes(Kind kind, const VCardLine &line)
{
    if (line.types.isEmpty())
        return {};
    // The labels as shared strings, made once: every phone of a large file
    // would otherwise allocate its label anew.
    static const auto shared = [](std::span<const LabelTypes> table) {
        QList<QString> labels;
        for (const LabelTypes &row : table)
            labels.append(QString(row.label));
        return labels;
    };
    static const QList<QString> phoneLabels = shared(phoneTable);
    static const QList<QString> otherLabels = shared(otherTable);
    const std::span<const LabelTypes> table = tableFor(kind);
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (matches(table[i], line))
            return kind == Kind::Phone ? phoneLabels.at(qsizetype(i)) : otherLabels.at(qsizetype(i));
    }
    for (QStringView type : line.types) {
        if (!isNeutral(type))
            return type.toString();
    }
    return {};
}

namespace {

constexpr std::array relationLabels{
    ContactLabels::contactRelationFather,
    ContactLabels::contactRelationMother,
    ContactLabels::contactRelationParent,
    ContactLabels::contactRelationBrother,
    ContactLabels::contactRelationSister,
    ContactLabels::contactRelationChild,
    ContactLabels::contactRelationSon,
    ContactLabels::contactRelationDaughter,
    ContactLabels::contactRelationFriend,
    ContactLabels::contactRelationSpouse,
    ContactLabels::contactRelationPartner,
    ContactLabels::contactRelationAssistant,
    ContactLabels::contactRelationManager,
};

constexpr std::array instantMessageServices{
    ContactLabels::instantMessageServiceAIM,
    ContactLabels::instantMessageServiceFacebook,
    ContactLabels::instantMessageServiceGaduGadu,
    ContactLabels::instantMessageServiceGoogleTalk,
    ContactLabels::instantMessageServiceICQ,
    ContactLabels::instantMessageServiceJabber,
    ContactLabels::instantMessageServiceMSN,
    ContactLabels::instantMessageServiceQQ,
    ContactLabels::instantMessageServiceSkype,
    ContactLabels::instantMessageServiceYahoo,
};

constexpr std::array socialProfileServices{
    ContactLabels::socialProfileServiceTwitter,
    ContactLabels::socialProfileServiceFacebook,
    ContactLabels::socialProfileServiceFlickr,
    ContactLabels::socialProfileServiceLinkedIn,
    ContactLabels::socialProfileServiceYelp,
    ContactLabels::socialProfileServiceMySpace,
    ContactLabels::socialProfileServiceSinaWeibo,
    ContactLabels::socialProfileServiceTencentWeibo,
    ContactLabels::socialProfileServiceGameCenter,
};

struct SchemeService {
    QLatin1StringView scheme;
    QLatin1StringView service;
};

// The first row of a service is the scheme a writer uses for it.
constexpr std::array schemes{
    SchemeService{QLatin1StringView("aim"), ContactLabels::instantMessageServiceAIM},
    SchemeService{QLatin1StringView("xmpp"), ContactLabels::instantMessageServiceJabber},
    SchemeService{QLatin1StringView("xmpp"), ContactLabels::instantMessageServiceGoogleTalk},
    SchemeService{QLatin1StringView("xmpp"), ContactLabels::instantMessageServiceFacebook},
    SchemeService{QLatin1StringView("msnim"), ContactLabels::instantMessageServiceMSN},
    SchemeService{QLatin1StringView("ymsgr"), ContactLabels::instantMessageServiceYahoo},
    SchemeService{QLatin1StringView("skype"), ContactLabels::instantMessageServiceSkype},
    SchemeService{QLatin1StringView("aim"), ContactLabels::instantMessageServiceICQ},
    SchemeService{QLatin1StringView("icq"), ContactLabels::instantMessageServiceICQ},
    SchemeService{QLatin1StringView("gg"), ContactLabels::instantMessageServiceGaduGadu},
    SchemeService{QLatin1StringView("qq"), ContactLabels::instantMessageServiceQQ},
};

template <std::size_t N> QString spelt(QStringView name, const std::array<QLatin1StringView, N> &known)
{
    for (QLatin1StringView k : known) {
        if (name.compare(k, Qt::CaseInsensitive) == 0)
            return k;
    }
    return name.toString();
}

} // namespace

QString VCardLabels::relationLabelForType(QStringView type)
{
    for (QLatin1StringView label : relationLabels) {
        // "_$!<Spouse>!$_" → "Spouse"
        if (type.compare(label.sliced(4, label.size() - 8), Qt::CaseInsensitive) == 0)
            return label;
    }
    return {};
}

QString VCardLabels::knownInstantMessageService(QStringView service)
{
    return spelt(service, instantMessageServices);
}

QString VCardLabels::knownSocialProfileService(QStringView service)
{
    return spelt(service, socialProfileServices);
}

QString VCardLabels::instantMessageServiceForScheme(QStringView scheme)
{
    for (const SchemeService &row : schemes) {
        if (scheme.compare(row.scheme, Qt::CaseInsensitive) == 0)
            return row.service;
    }
    return {};
}

QLatin1StringView VCardLabels::schemeForInstantMessageService(const QString &service)
{
    for (const SchemeService &row : schemes) {
        if (service == row.service)
            return row.scheme;
    }
    return QLatin1StringView("x-apple");
}
