#pragma once

#include <QStringView>
#include <QVarLengthArray>

// The neutral form of one content line, whatever vCard version wrote it:
// "item1.TEL;type=HOME;type=FAX:…", "TEL;TYPE=home,fax:…" and the 2.1 form
// "TEL;HOME;FAX:…" all give group "item1" (or none), name "TEL" and the types
// HOME and FAX. Every view points into the logical line it was parsed from and
// lives as long as that line.
struct VCardParameter
{
    QStringView name;  // as written; compare without case
    QStringView value; // quotes removed
};

struct VCardLine
{
    QStringView group;
    QStringView name;
    // TYPE values in the order met, from "TYPE=a,b", "TYPE=a;TYPE=b" and bare
    // 2.1 parameters ("HOME", "VOICE").
    QVarLengthArray<QStringView, 6> types;
    // Every other parameter, ENCODING included (a bare 2.1 "BASE64" or
    // "QUOTED-PRINTABLE" becomes ENCODING=…).
    QVarLengthArray<VCardParameter, 4> parameters;
    QStringView value;

    // The value of the first parameter of this name, null when there is none.
    [[nodiscard]] QStringView parameter(QStringView parameterName) const
    {
        for (const VCardParameter &p : parameters) {
            if (p.name.compare(parameterName, Qt::CaseInsensitive) == 0)
                return p.value.isNull() ? QStringView(u"") : p.value;
        }
        return {};
    }

    template <typename String>
    [[nodiscard]] bool hasType(String type) const
    {
        for (QStringView t : types) {
            if (t.compare(type, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    }
};
