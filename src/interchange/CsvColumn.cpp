#include "interchange/CsvColumn_p.h"

#include "interchange/MVvCard.h"
#include "model/ContactIdentifier.h"
#include "platform/contacts/ContactLabels.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString compositeName = u"compositeName"_s;
const QString home = u"home"_s;
const QString work = u"work"_s;
const QString other = u"other"_s;

void addLabeledColumns(QList<CsvColumn> &columns, const QString &field, const QString &title)
{
    for (const auto &[label, prefix] : {std::pair{home, u"Home"_s}, {work, u"Work"_s}, {other, u"Other"_s}})
        columns.append({prefix + u' ' + title, field, label, {}});
}

QList<CsvColumn> makeLayout()
{
    QList<CsvColumn> columns{{u"Name"_s, compositeName, {}, {}}};
    addLabeledColumns(columns, FieldId::Phone, u"Phone"_s);
    addLabeledColumns(columns, FieldId::Email, u"Email"_s);
    for (const auto &[label, prefix] : {std::pair{home, u"Home"_s}, {work, u"Work"_s}, {other, u"Other"_s}}) {
        for (const QString &part : {FieldId::ZIP, FieldId::State, FieldId::City, FieldId::Street})
            columns.append({prefix + u' ' + part, FieldId::Address, label, part});
    }
    columns.append({u"Birthday"_s, FieldId::Birthday, {}, {}});
    columns.append({u"Title"_s, FieldId::Title, {}, {}});
    columns.append({u"Company"_s, FieldId::Company, {}, {}});
    columns.append({u"Department"_s, FieldId::Department, {}, {}});
    columns.append({u"Job Title"_s, FieldId::JobTitle, {}, {}});
    columns.append({u"First Name"_s, FieldId::Name, {}, FieldId::FirstName});
    columns.append({u"Last Name"_s, FieldId::Name, {}, FieldId::LastName});
    columns.append({u"Nickname"_s, FieldId::Nickname, {}, {}});
    columns.append({u"Note"_s, FieldId::Note, {}, {}});
    for (const QLatin1StringView service :
        {ContactLabels::socialProfileServiceFacebook, ContactLabels::socialProfileServiceLinkedIn,
            ContactLabels::socialProfileServiceFlickr, ContactLabels::socialProfileServiceSinaWeibo}) {
        columns.append({QString(service), FieldId::SocialNetwork, QString(service), {}});
    }
    return columns;
}

QString socialService(const QString &type)
{
    for (const QLatin1StringView service :
        {ContactLabels::socialProfileServiceFacebook, ContactLabels::socialProfileServiceLinkedIn,
            ContactLabels::socialProfileServiceFlickr, ContactLabels::socialProfileServiceSinaWeibo}) {
        if (type == service)
            return QString(service);
    }
    return {};
}

} // namespace

const QList<CsvColumn> &CsvColumn::layout()
{
    static const QList<CsvColumn> columns = makeLayout();
    return columns;
}

CsvHeaderColumn CsvHeaderColumn::fromHeaderCell(const QString &cell)
{
    CsvHeaderColumn column{cell, MVvCard::detectType(cell), {}};
    if (column.type == FieldId::Phone || column.type == FieldId::Email) {
        column.label = MVvCard::detectLabel(cell);
    } else if (column.type == FieldId::Address) {
        column.type = MVvCard::detectAddressType(cell);
        column.label = MVvCard::detectLabel(cell);
    } else if (const QString service = socialService(column.type); !service.isEmpty()) {
        column.type = FieldId::SocialNetwork;
        column.label = service;
    } else if (column.type.isEmpty()) {
        column.type = u"Unknown"_s;
    }
    return column;
}
