#include "platform/contacts/vcard/VCardLineParser_p.h"

namespace {

enum class State {
    Name, // group and name, up to ";" or ":"
    ParameterName, // after ";": a name, or a bare 2.1 value such as HOME
    ParameterValue, // after "=": comma-separated values
    QuotedValue, // inside "…"
    AfterQuotedValue, // after the closing quote: "," ";" or ":"
};

bool isBareEncoding(QStringView word)
{
    for (QStringView encoding : {QStringView(u"BASE64"), QStringView(u"QUOTED-PRINTABLE"), QStringView(u"8BIT"),
             QStringView(u"7BIT"), QStringView(u"B")}) {
        if (isSameVCardWord(word, encoding))
            return true;
    }
    return false;
}

void addTypes(QStringView value, VCardLine &out)
{
    qsizetype start = 0;
    while (start <= value.size()) {
        qsizetype comma = value.indexOf(u',', start);
        if (comma < 0)
            comma = value.size();
        const QStringView type = value.sliced(start, comma - start).trimmed();
        if (!type.isEmpty())
            out.types.append(type);
        start = comma + 1;
    }
}

void addParameterValue(QStringView name, QStringView value, VCardLine &out)
{
    if (isSameVCardWord(name, QStringView(u"TYPE")))
        addTypes(value, out);
    else
        out.parameters.append({name, value});
}

// "TEL;HOME;VOICE:" and "PHOTO;BASE64:" of vCard 2.1.
void addBareParameter(QStringView word, VCardLine &out)
{
    word = word.trimmed();
    if (word.isEmpty())
        return;
    if (isBareEncoding(word))
        out.parameters.append({u"ENCODING", word});
    else
        out.types.append(word);
}

} // namespace

bool VCardLineParser::parse(QStringView line, VCardLine &out)
{
    out.clear();
    State state = State::Name;
    qsizetype start = 0;
    QStringView parameterName;
    const auto token = [&](qsizetype i) { return line.sliced(start, i - start); };
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        switch (state) {
        case State::Name:
            if (c == u'.' && out.group.isNull()) {
                out.group = token(i);
                start = i + 1;
            } else if (c == u';' || c == u':') {
                out.name = token(i).trimmed();
                start = i + 1;
                state = State::ParameterName;
                if (c == u':') {
                    out.value = line.sliced(i + 1);
                    return !out.name.isEmpty();
                }
            }
            break;
        case State::ParameterName:
            if (c == u'=') {
                parameterName = token(i).trimmed();
                start = i + 1;
                state = State::ParameterValue;
            } else if (c == u';' || c == u':') {
                addBareParameter(token(i), out);
                start = i + 1;
                if (c == u':') {
                    out.value = line.sliced(i + 1);
                    return !out.name.isEmpty();
                }
            }
            break;
        case State::ParameterValue:
            if (c == u'"' && i == start) {
                start = i + 1;
                state = State::QuotedValue;
            } else if (c == u',' || c == u';' || c == u':') {
                addParameterValue(parameterName, token(i), out);
                start = i + 1;
                if (c == u';')
                    state = State::ParameterName;
                if (c == u':') {
                    out.value = line.sliced(i + 1);
                    return !out.name.isEmpty();
                }
            }
            break;
        case State::QuotedValue:
            if (c == u'"') {
                addParameterValue(parameterName, token(i), out);
                state = State::AfterQuotedValue;
            }
            break;
        case State::AfterQuotedValue:
            if (c == u',') {
                start = i + 1;
                state = State::ParameterValue;
            } else if (c == u';') {
                start = i + 1;
                state = State::ParameterName;
            } else if (c == u':') {
                out.value = line.sliced(i + 1);
                return !out.name.isEmpty();
            }
            break;
        }
    }
    return false;
}
