#include "model/ValueRecordFormatter.h"

#include "model/AssignIfChanged.h"
#include "platform/contacts/StoreUserDefaults.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString noLabel = u"No label"_s;
const QString noService = u"No service"_s;

// Phone, e-mail, URL and relation values share this step.
void defaultLabelAndShowValue(LabeledValueRecord &record)
{
    if (record.labelText().isEmpty())
        record.label = noLabel;
    assignIfChanged(record.stringValue, record.valueText());
}

// Which of two name parts a display shows and in what order: both, the
// later one first when lastFirst, or the one part shown alone. The display
// strings and the find's positions in them both come from here.
struct ShownNames {
    const QString *first = nullptr; // null when neither part is shown
    const QString *second = nullptr; // null when one part is shown alone
    bool swapped = false; // the last name comes first
};

ShownNames shownNames(const QString &first, const QString &last, bool lastFirst)
{
    if (!first.isEmpty() && !last.isEmpty())
        return lastFirst ? ShownNames{&last, &first, true} : ShownNames{&first, &last, false};
    if (!first.isEmpty())
        return {&first, nullptr, false};
    if (!last.isEmpty())
        return {&last, nullptr, true};
    return {};
}

ValueRecordFormatter::DisplayedParts displayedParts(
    const QString &firstKey, const QString &first, const QString &lastKey, const QString &last, bool lastFirst)
{
    using Part = ValueRecordFormatter::DisplayedPart;
    const ShownNames shown = shownNames(first, last, lastFirst);
    if (!shown.first)
        return {};
    const QString &leadingKey = shown.swapped ? lastKey : firstKey;
    if (!shown.second)
        return {Part{leadingKey, *shown.first, 0}};
    return {Part{leadingKey, *shown.first, 0},
        Part{shown.swapped ? firstKey : lastKey, *shown.second, shown.first->size() + 1}};
}

// The display string of the shown parts, made without a list of parts: every
// contact read makes two of these.
QString joinedNames(const QString &first, const QString &last, bool lastFirst)
{
    const ShownNames shown = shownNames(first, last, lastFirst);
    if (!shown.first)
        return {};
    if (!shown.second)
        return *shown.first;
    return *shown.first + u' ' + *shown.second;
}

// The texts of dates made last, one slot per day number: the contacts of a
// file share far fewer birthdays than they are many, and each shared text is
// one allocation instead of one per contact. 32,768 slots cover 89 years.
class RecentDateTexts {
public:
    QString *find(qint64 julianDay)
    {
        Slot &slot = this->slot(julianDay);
        return slot.julianDay == julianDay ? &slot.text : nullptr;
    }
    const QString &keep(qint64 julianDay, QString text)
    {
        Slot &slot = this->slot(julianDay);
        slot = {julianDay, std::move(text)};
        return slot.text;
    }

private:
    struct Slot {
        qint64 julianDay = std::numeric_limits<qint64>::min();
        QString text;
    };
    static constexpr qint64 slotCount = 1 << 15;
    Slot &slot(qint64 julianDay)
    {
        if (m_slots.empty())
            m_slots.resize(slotCount);
        return m_slots[std::size_t(julianDay & (slotCount - 1))];
    }
    std::vector<Slot> m_slots;
};

// "yyyy.MM.dd(ddd)" of the default locale. Every contact read formats its
// birthday, and QLocale parses the pattern and asks the system for the day's
// name each time; here the names are asked for once per locale and thread.
// Years outside 1…9999 and locales that write other digits take QLocale's
// own way. The date's parts come as the caller has them: asking the date
// for each would work them out of its day number again every time.
QString birthdayText(const QDate &date, int year, int month, int day)
{
    static const QString pattern = u"yyyy.MM.dd(ddd)"_s;
    struct DayNames {
        QLocale locale;
        std::array<QString, 7> names;
        bool asciiDigits = false;
        RecentDateTexts recent;
    };
    thread_local std::optional<DayNames> cached;
    const QLocale locale;
    if (year < 1 || year > 9999)
        return locale.toString(date, pattern);
    if (!cached || cached->locale != locale) {
        cached.emplace(DayNames{locale, {}, locale.zeroDigit() == u"0", {}});
        for (int day = 1; day <= 7; ++day)
            cached->names[day - 1] = locale.dayName(day, QLocale::ShortFormat);
    }
    if (!cached->asciiDigits)
        return locale.toString(date, pattern);
    const qint64 julianDay = date.toJulianDay();
    if (const QString *made = cached->recent.find(julianDay))
        return *made;
    const QString &dayName = cached->names[date.dayOfWeek() - 1];
    QString text(12 + dayName.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    const auto digits = [&out](int value, int count) {
        for (int i = count - 1; i >= 0; --i, value /= 10)
            out[i] = char16_t(u'0' + value % 10);
        out += count;
    };
    digits(year, 4);
    *out++ = u'.';
    digits(month, 2);
    *out++ = u'.';
    digits(day, 2);
    *out++ = u'(';
    std::copy(dayName.utf16(), dayName.utf16() + dayName.size(), out);
    out += dayName.size();
    *out = u')';
    return cached->recent.keep(julianDay, std::move(text));
}

} // namespace

int ValueRecordFormatter::effectiveNameOrdering(int nameOrdering)
{
    if (nameOrdering != 0)
        return nameOrdering;
    switch (StoreUserDefaults::sortOrder()) {
    case StoreUserDefaults::SortOrder::GivenName:
        return 1;
    case StoreUserDefaults::SortOrder::FamilyName:
        return 2;
    default:
        return 0;
    }
}

ValueRecordFormatter::DisplayedParts ValueRecordFormatter::compositeNameParts(const NameRecord &name)
{
    DisplayedParts parts = displayedParts(
        u"FirstName"_s, name.firstName, u"LastName"_s, name.lastName, effectiveNameOrdering(name.nameOrdering) == 2);
    if (parts.isEmpty() && !name.middleName().isEmpty())
        parts.append({u"MiddleName"_s, name.middleName(), 0});
    return parts;
}

ValueRecordFormatter::DisplayedParts ValueRecordFormatter::phoneticNameParts(
    const PhoneticNameRecord &name, int nameOrdering)
{
    return displayedParts(
        u"PhoneticFirstName"_s, name.firstName, u"PhoneticLastName"_s, name.lastName, nameOrdering == 2);
}

QString ValueRecordFormatter::compositeNameFromNameDict(const NameRecord &name)
{
    QString joined = joinedNames(name.firstName, name.lastName, effectiveNameOrdering(name.nameOrdering) == 2);
    if (joined.isEmpty() && !name.middleName().isEmpty())
        return name.middleName();
    return joined;
}

QString ValueRecordFormatter::phoneticNameString(const PhoneticNameRecord &name, int nameOrdering)
{
    return joinedNames(name.firstName, name.lastName, nameOrdering == 2);
}

QString ValueRecordFormatter::dateStringFromDateComponents(const StoreDateComponents &components)
{
    if (components.isEmpty())
        return {};
    // The platform calendar fills a missing part with 1, so a birthday saved
    // without its year still has a date.
    const int year = components.year.value_or(1);
    const int month = components.month.value_or(1);
    const int day = components.day.value_or(1);
    const QDate date(year, month, day);
    if (!date.isValid())
        return {};
    return birthdayText(date, year, month, day);
}

void ValueRecordFormatter::updatePhoneValue(LabeledValueRecord *record)
{
    if (record)
        defaultLabelAndShowValue(*record);
}

void ValueRecordFormatter::updateEmailValue(LabeledValueRecord *record)
{
    if (!record)
        return;
    defaultLabelAndShowValue(*record);
    // The parts are those of the address as it stands, never left from one
    // it was before. Without an at sign the whole text is the user name, as
    // the table sorts it; an at sign at the end gives no parts at all.
    const QString address = record->valueText();
    const qsizetype at = address.indexOf(u'@');
    const bool atTheEnd = at >= 0 && at == address.size() - 1;
    const bool split = at < 0 ? !address.isEmpty() : at > 0 && !atTheEnd;
    // An address whose parts are its own two halves (or its whole text)
    // keeps no copy of them; a group set otherwise before keeps its other
    // parts.
    if (split && !record->account.holdsGroup()) {
        record->account.splitFrom(address);
        return;
    }
    if (!record->account.holdsGroup()) {
        record->account.reset();
        if (at < 0 || atTheEnd)
            return;
    }
    const QString username = at < 0 ? address : atTheEnd ? QString() : address.left(at);
    QString domain;
    if (at >= 0 && !atTheEnd) {
        // The contacts of a file mostly share a few domains: the text of the
        // one before is taken again rather than copied.
        thread_local QString lastDomain;
        if (QStringView(address).sliced(at + 1) != lastDomain)
            lastDomain = address.mid(at + 1);
        domain = lastDomain;
    }
    record->account->username = username;
    record->account->domain = domain;
}

void ValueRecordFormatter::updateURLValue(LabeledValueRecord *record)
{
    if (record)
        defaultLabelAndShowValue(*record);
}

void ValueRecordFormatter::updateRelationshipValue(LabeledValueRecord *record)
{
    if (record)
        defaultLabelAndShowValue(*record);
}

void ValueRecordFormatter::updateSNSValue(LabeledValueRecord *record)
{
    if (!record)
        return;
    if (!record->label)
        record->label = noService;
    record->stringValue = record->valueText();
    record->account->service = *record->label;
    record->account->username = record->valueText();
}

void ValueRecordFormatter::updateIMSValue(LabeledValueRecord *record)
{
    if (!record)
        return;
    if (!record->label)
        record->label = noLabel;
    record->stringValue = instantMessageString(record->accountParts().service, record->valueText());
    if (record->hasValue())
        record->account->username = record->valueText();
}

void ValueRecordFormatter::updateDatesValue(LabeledValueRecord *record)
{
    if (!record)
        return;
    if (record->labelText().isEmpty())
        record->label = noLabel;
    if (const QDate *date = std::get_if<QDate>(&record->value))
        record->value = StoreDateComponents::fromDate(*date);
    const auto *components = std::get_if<StoreDateComponents>(&record->value);
    record->stringValue = components ? dateStringFromDateComponents(*components) : QString();
}

QString ValueRecordFormatter::instantMessageString(const QString &service, const QString &username)
{
    const QString text = service + u':' + username;
    return text.size() < 2 ? QString() : text;
}
