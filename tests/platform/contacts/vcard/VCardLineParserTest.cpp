#include "platform/contacts/vcard/VCardLineParser_p.h"

#include "VCardTestText.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

// The neutral form as one line of text: group|name|types|parameters|value.
QString describe(const QString &text)
{
    VCardLine line;
    if (!VCardLineParser::parse(text, line))
        return QStringLiteral("(no property)");
    QStringList types;
    for (QStringView type : line.types)
        types.append(type.toString());
    QStringList parameters;
    for (const VCardParameter &p : line.parameters)
        parameters.append(p.name.toString() + u'=' + p.value.toString());
    return line.group.toString() + u'|' + line.name.toString() + u'|' + types.join(u',') + u'|' + parameters.join(u',')
        + u'|' + line.value.toString();
}

struct ParseRow {
    const char *name;
    const char16_t *line;
    const char16_t *expected;
};

class VCardLineParserTest : public testing::TestWithParam<ParseRow> { };

TEST_P(VCardLineParserTest, GivesTheNeutralLineForm)
{
    EXPECT_EQ(text(describe(QString::fromUtf16(GetParam().line))), text(QString::fromUtf16(GetParam().expected)));
}

INSTANTIATE_TEST_SUITE_P(Rows, VCardLineParserTest,
    testing::Values(ParseRow{"Plain", u"FN:John Doe", u"|FN|||John Doe"},
        ParseRow{"ValueKeepsColons", u"URL:http://a.b/c:d", u"|URL|||http://a.b/c:d"},
        ParseRow{"GroupedLabel", u"item1.X-ABLabel:_$!<HomePage>!$_", u"item1|X-ABLabel|||_$!<HomePage>!$_"},
        ParseRow{"RepeatedType", u"TEL;type=CELL;type=VOICE;type=pref:1", u"|TEL|CELL,VOICE,pref||1"},
        ParseRow{"CommaTypes", u"TEL;TYPE=WORK,VOICE:2", u"|TEL|WORK,VOICE||2"},
        ParseRow{"QuotedTypes", u"TEL;TYPE=\"work,voice\";PREF=1:3", u"|TEL|work,voice|PREF=1|3"},
        ParseRow{"BareTypes21", u"TEL;HOME;VOICE:4", u"|TEL|HOME,VOICE||4"},
        ParseRow{"BareEncoding21", u"PHOTO;BASE64;JPEG:AA", u"|PHOTO|JPEG|ENCODING=BASE64|AA"},
        ParseRow{"BareQuotedPrintable", u"NOTE;QUOTED-PRINTABLE:a=3Db", u"|NOTE||ENCODING=QUOTED-PRINTABLE|a=3Db"},
        ParseRow{"Charset", u"N;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=88=C0;;;;",
            u"|N||CHARSET=SHIFT_JIS,ENCODING=QUOTED-PRINTABLE|=88=C0;;;;"},
        ParseRow{"QuotedValueWithSeparators", u"X-AIM;X-COUCHDB-UUID=\"a;b:c\";TYPE=HOME:johnny",
            u"|X-AIM|HOME|X-COUCHDB-UUID=a;b:c|johnny"},
        ParseRow{"SoundReading", u"SOUND;X-IRMC-N;CHARSET=SHIFT_JIS:ｱﾝﾄﾞｳ;;;;",
            u"|SOUND|X-IRMC-N|CHARSET=SHIFT_JIS|ｱﾝﾄﾞｳ;;;;"},
        ParseRow{"EmptyValue", u"X-NO:", u"|X-NO|||"}, ParseRow{"EmptyParameters", u"TEL;;HOME;:5", u"|TEL|HOME||5"},
        ParseRow{"NoColon", u"just text", u"(no property)"}, ParseRow{"NoName", u":value", u"(no property)"},
        ParseRow{"UnclosedQuote", u"TEL;TYPE=\"home:1", u"(no property)"}),
    [](const testing::TestParamInfo<ParseRow> &info) { return std::string(info.param.name); });

} // namespace
