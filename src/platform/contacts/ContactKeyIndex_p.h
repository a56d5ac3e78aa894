#pragma once

// Positions of the contact keys in ContactKeys::allContactKeys(); a fetched
// contact keeps its available keys as a bit mask over them. The numbers are
// also the field numbers in the stored contact blob (StoreContactCodec):
// append new keys at the end, never renumber.
enum ContactKeyIndex : int {
    KeyIdentifier = 0,
    KeyContactType,
    KeyNamePrefix,
    KeyGivenName,
    KeyMiddleName,
    KeyFamilyName,
    KeyPreviousFamilyName,
    KeyNameSuffix,
    KeyNickname,
    KeyPhoneticGivenName,
    KeyPhoneticMiddleName,
    KeyPhoneticFamilyName,
    KeyPhoneticOrganizationName,
    KeyOrganizationName,
    KeyDepartmentName,
    KeyJobTitle,
    KeyNote,
    KeyBirthday,
    KeyDates,
    KeyPhoneNumbers,
    KeyEmailAddresses,
    KeyPostalAddresses,
    KeyUrlAddresses,
    KeyContactRelations,
    KeySocialProfiles,
    KeyInstantMessageAddresses,
    KeyImageData,
    KeyThumbnailImageData,
    ContactKeyCount
};
