#include "print/UndrawnContacts.h"

#include "print/DrawList.h"

#include <algorithm>

void UndrawnContacts::note(DrawList &drawList, const PrintContactRecordPtr &record)
{
    if (!drawList.takeIncomplete())
        return;
    const QString identifier = record ? record->uniqueId.toString() : QString();
    qWarning("%s: ERROR no face can draw all the text of contact %s; the page shows the rest", Q_FUNC_INFO,
        qPrintable(identifier));
    const bool noted = std::any_of(m_records.cbegin(), m_records.cend(), [&record](const PrintContactRecordPtr &other) {
        return other == record || (other && other->isSameRowAs(record.get()));
    });
    if (record && !noted)
        m_records.append(record);
}

QStringList UndrawnContacts::names() const
{
    QStringList names;
    for (const PrintContactRecordPtr &record : m_records) {
        QString name = record->compositeName;
        if (name.isEmpty() && record->name)
            name = record->name->stringValue;
        names.append(name.isEmpty() ? record->uniqueId.toString() : name);
    }
    return names;
}
