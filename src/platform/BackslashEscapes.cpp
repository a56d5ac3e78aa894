#include "platform/BackslashEscapes.h"

QString BackslashEscapes::unescape(QStringView text, const Table &table)
{
    qsizetype backslash = text.indexOf(u'\\');
    if (backslash < 0)
        return text.toString();
    QString plain;
    plain.reserve(text.size());
    // Text between escapes is copied a run at a time.
    qsizetype copied = 0;
    while (backslash >= 0 && backslash + 1 < text.size()) {
        const char16_t meant = table.meaning(text.at(backslash + 1).unicode());
        if (meant == 0) {
            backslash = text.indexOf(u'\\', backslash + 1);
            continue;
        }
        plain.append(text.sliced(copied, backslash - copied));
        plain.append(QChar(meant));
        copied = backslash + 2;
        backslash = text.indexOf(u'\\', copied);
    }
    plain.append(text.sliced(copied));
    return plain;
}
