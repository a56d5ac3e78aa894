#include "print/PrintStyle.h"

PrintStyleKind PrintStyleName::style(const QString &name)
{
    if (name == envelope)
        return PrintStyleKind::Envelope;
    if (name == labels)
        return PrintStyleKind::Labels;
    if (name == addressList)
        return PrintStyleKind::AddressList;
    return PrintStyleKind::Hagaki;
}
