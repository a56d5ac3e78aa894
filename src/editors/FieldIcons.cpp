#include "editors/FieldIcons.h"

#include <QHash>

namespace {

const QHash<ContactIdentifier, QString> &resources()
{
    static const QHash<ContactIdentifier, QString> table{
        {FieldId::Name, QStringLiteral(":/UserGuest.png")},
        {FieldId::Photo, QStringLiteral(":/UserGuest.png")},
        {QStringLiteral("Groups"), QStringLiteral(":/UserGroup.png")},
        {FieldId::Address, QStringLiteral(":/Home.png")},
        {FieldId::Relationship, QStringLiteral(":/Everyone.png")},
        {FieldId::Phone, QStringLiteral(":/icon_phone.png")},
        {FieldId::Email, QStringLiteral(":/icon_mail.png")},
        {FieldId::URL, QStringLiteral(":/icon_safari.png")},
        {FieldId::InstantMessage, QStringLiteral(":/icon_message.png")},
        {FieldId::SocialNetwork, QStringLiteral(":/icon_sns.png")},
        {FieldId::Company, QStringLiteral(":/CompanySquare.png")},
        {FieldId::Department, QStringLiteral(":/icon_department.png")},
        {FieldId::Birthday, QStringLiteral(":/icon_birthday.png")},
        {FieldId::Dates, QStringLiteral(":/icon_calendar.png")},
        {FieldId::PhoneticName, QStringLiteral(":/icon_PhoneticName.png")},
        {FieldId::Nickname, QStringLiteral(":/icon_nickname.png")},
        {FieldId::JobTitle, QStringLiteral(":/icon_jobtitle.png")},
        {FieldId::Title, QStringLiteral(":/icon_title.png")},
        {FieldId::Suffix, QStringLiteral(":/icon_suffix.png")},
        {FieldId::Note, QStringLiteral(":/icon_note.png")},
    };
    return table;
}

} // namespace

QString FieldIcons::resourceForType(const ContactIdentifier &type)
{
    return resources().value(type);
}

// Read on the GUI thread only, where every table paints.
QImage FieldIcons::iconForType(const ContactIdentifier &type)
{
    static QHash<QString, QImage> images;
    const QString resource = resourceForType(type);
    if (resource.isEmpty())
        return {};
    auto found = images.constFind(resource);
    if (found == images.cend()) {
        QImage image(resource);
        if (image.isNull())
            qWarning("%s: ERROR no picture %s", Q_FUNC_INFO, qPrintable(resource));
        found = images.insert(resource, image);
    }
    return *found;
}
