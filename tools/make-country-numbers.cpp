// Lists every country calling code libphonenumber knows with the regions that
// use it, and ICU's English and Japanese names of each region and of the part
// of the world it lies in (its UN M.49 subregion, such as 東アジア).
// tools/make-country-numbers builds this, runs it and writes
// resources/CountryNumbers.csv from its output.
//
// Output: one line per code and region, fields separated by tabs:
//   code  region  English name  Japanese name  Japanese subregion name
// Region "001" stands for the codes of no country (satellite and
// international services); ICU names it "world" (世界).

#include <phonenumbers/phonenumberutil.h>

#include <unicode/locid.h>
#include <unicode/region.h>
#include <unicode/unistr.h>

#include <iostream>
#include <list>
#include <set>
#include <string>

namespace {

std::string displayName(const char *region, const icu::Locale &language)
{
    icu::UnicodeString name;
    icu::Locale("und", region).getDisplayCountry(language, name);
    std::string text;
    name.toUTF8String(text);
    return text;
}

std::string subcontinentOf(const std::string &region)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Region *place = icu::Region::getInstance(region.c_str(), status);
    if (U_FAILURE(status) || place == nullptr)
        return "001";
    const icu::Region *subcontinent = place->getContainingRegion(URGN_SUBCONTINENT);
    return subcontinent != nullptr ? subcontinent->getRegionCode() : "001";
}

} // namespace

int main()
{
    const auto *util = i18n::phonenumbers::PhoneNumberUtil::GetInstance();
    std::set<int> codes;
    util->GetSupportedCallingCodes(&codes);
    const icu::Locale english("en");
    const icu::Locale japanese("ja");
    for (int code : codes) {
        std::list<std::string> regions;
        util->GetRegionCodesForCountryCallingCode(code, &regions);
        if (regions.empty())
            regions.push_back("001");
        for (const std::string &region : regions) {
            std::cout << code << '\t' << region << '\t' << displayName(region.c_str(), english) << '\t'
                      << displayName(region.c_str(), japanese) << '\t'
                      << displayName(subcontinentOf(region).c_str(), japanese) << '\n';
        }
    }
    return 0;
}
