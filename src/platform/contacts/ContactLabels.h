#pragma once

#include <QLatin1StringView>
#include <QString>

// The labels a store writes beside its labeled values, and the service names
// and dictionary keys of social profiles and instant-message addresses.
//
// Labels keep the wrapped form "_$!<Home>!$_" that phones write into
// X-ABLabel, so that vCard files round-trip with other address books and the
// contact model can unwrap them into its plain words. All of these strings end
// up in the store file and in exported files: they are fixed once and never
// renamed.
class ContactLabels {
public:
    ContactLabels() = delete;

    // Generic labels.
    static constexpr QLatin1StringView home{"_$!<Home>!$_"};
    static constexpr QLatin1StringView work{"_$!<Work>!$_"};
    static constexpr QLatin1StringView school{"_$!<School>!$_"};
    static constexpr QLatin1StringView other{"_$!<Other>!$_"};

    // Phone numbers. The "iPhone" label is written unwrapped, as phones do.
    static constexpr QLatin1StringView phoneNumberMain{"_$!<Main>!$_"};
    static constexpr QLatin1StringView phoneNumberMobile{"_$!<Mobile>!$_"};
    static constexpr QLatin1StringView phoneNumberiPhone{"iPhone"};
    static constexpr QLatin1StringView phoneNumberPager{"_$!<Pager>!$_"};
    static constexpr QLatin1StringView phoneNumberHomeFax{"_$!<HomeFAX>!$_"};
    static constexpr QLatin1StringView phoneNumberWorkFax{"_$!<WorkFAX>!$_"};
    static constexpr QLatin1StringView phoneNumberOtherFax{"_$!<OtherFAX>!$_"};

    // URLs and dates.
    static constexpr QLatin1StringView urlAddressHomePage{"_$!<HomePage>!$_"};
    static constexpr QLatin1StringView dateAnniversary{"_$!<Anniversary>!$_"};

    // Relations.
    static constexpr QLatin1StringView contactRelationFather{"_$!<Father>!$_"};
    static constexpr QLatin1StringView contactRelationMother{"_$!<Mother>!$_"};
    static constexpr QLatin1StringView contactRelationParent{"_$!<Parent>!$_"};
    static constexpr QLatin1StringView contactRelationBrother{"_$!<Brother>!$_"};
    static constexpr QLatin1StringView contactRelationSister{"_$!<Sister>!$_"};
    static constexpr QLatin1StringView contactRelationChild{"_$!<Child>!$_"};
    static constexpr QLatin1StringView contactRelationSon{"_$!<Son>!$_"};
    static constexpr QLatin1StringView contactRelationDaughter{"_$!<Daughter>!$_"};
    static constexpr QLatin1StringView contactRelationFriend{"_$!<Friend>!$_"};
    static constexpr QLatin1StringView contactRelationSpouse{"_$!<Spouse>!$_"};
    static constexpr QLatin1StringView contactRelationPartner{"_$!<Partner>!$_"};
    static constexpr QLatin1StringView contactRelationAssistant{"_$!<Assistant>!$_"};
    static constexpr QLatin1StringView contactRelationManager{"_$!<Manager>!$_"};

    // Social-profile services.
    static constexpr QLatin1StringView socialProfileServiceTwitter{"Twitter"};
    static constexpr QLatin1StringView socialProfileServiceFacebook{"Facebook"};
    static constexpr QLatin1StringView socialProfileServiceFlickr{"Flickr"};
    static constexpr QLatin1StringView socialProfileServiceLinkedIn{"LinkedIn"};
    static constexpr QLatin1StringView socialProfileServiceYelp{"Yelp"};
    static constexpr QLatin1StringView socialProfileServiceMySpace{"MySpace"};
    static constexpr QLatin1StringView socialProfileServiceSinaWeibo{"SinaWeibo"};
    static constexpr QLatin1StringView socialProfileServiceTencentWeibo{"TencentWeibo"};
    static constexpr QLatin1StringView socialProfileServiceGameCenter{"GameCenter"};

    // Dictionary keys of a social profile.
    static constexpr QLatin1StringView socialProfileURLStringKey{"urlString"};
    static constexpr QLatin1StringView socialProfileUsernameKey{"username"};
    static constexpr QLatin1StringView socialProfileUserIdentifierKey{"userIdentifier"};
    static constexpr QLatin1StringView socialProfileServiceKey{"service"};

    // Instant-message services.
    static constexpr QLatin1StringView instantMessageServiceAIM{"AIM"};
    static constexpr QLatin1StringView instantMessageServiceFacebook{"Facebook"};
    static constexpr QLatin1StringView instantMessageServiceGaduGadu{"GaduGadu"};
    static constexpr QLatin1StringView instantMessageServiceGoogleTalk{"GoogleTalk"};
    static constexpr QLatin1StringView instantMessageServiceICQ{"ICQ"};
    static constexpr QLatin1StringView instantMessageServiceJabber{"Jabber"};
    static constexpr QLatin1StringView instantMessageServiceMSN{"MSN"};
    static constexpr QLatin1StringView instantMessageServiceQQ{"QQ"};
    static constexpr QLatin1StringView instantMessageServiceSkype{"Skype"};
    static constexpr QLatin1StringView instantMessageServiceYahoo{"Yahoo"};

    // Dictionary keys of an instant-message address.
    static constexpr QLatin1StringView instantMessageAddressUsernameKey{"username"};
    static constexpr QLatin1StringView instantMessageAddressServiceKey{"service"};

    // The English name of a label constant above ("_$!<HomeFAX>!$_" →
    // "home fax"), through tr(); any other label (a user's own, a service
    // name) comes back unchanged.
    [[nodiscard]] static QString localizedStringForLabel(const QString &label);
};
