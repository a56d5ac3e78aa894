#include "interchange/BackslashEscapes_p.h"

QString BackslashEscapes::unescape(QStringView text, Meaning meaning)
{
    const qsizetype first = text.indexOf(u'\\');
    if (first < 0)
        return text.toString();
    QString plain;
    plain.reserve(text.size());
    plain.append(text.first(first));
    for (qsizetype i = first; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\' && i + 1 < text.size()) {
            if (const char16_t meant = meaning(text.at(i + 1).unicode())) {
                plain.append(QChar(meant));
                ++i;
                continue;
            }
        }
        plain.append(c);
    }
    return plain;
}
