// The photo commands of a contact's details: an image file picked as the
// photo, scaled down when large, and the photo removed.

#include "detail/ContactInfoRowCommands.h"

#include "detail/ContactInfoView.h"
#include "detail/PhotoFile.h"

bool ContactInfoRowCommands::pickPhotoFile(const QString &path)
{
    const QImage photo = PhotoFile::read(path);
    if (photo.isNull() || !m_view->replaceValue(photo, FieldId::Photo))
        return false;
    contactDidChange();
    return true;
}

void ContactInfoRowCommands::chooseImage()
{
    PhotoFile::choose(m_view, this, [this](const QString &path) { pickPhotoFile(path); });
}

void ContactInfoRowCommands::deleteImage()
{
    if (m_view->replaceValue(PersonValue(), FieldId::Photo))
        contactDidChange();
}
