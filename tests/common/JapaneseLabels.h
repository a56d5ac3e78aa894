#pragma once

#include <QByteArrayView>
#include <QString>
#include <QTranslator>

// An interface in Japanese, as far as the labels go.
class JapaneseLabels : public QTranslator {
public:
    QString translate(const char *context, const char *source, const char * /*disambiguation*/ = nullptr,
        int /*n*/ = -1) const override
    {
        if (QByteArrayView(context) == "ContactLabels" && QByteArrayView(source) == "home")
            return QStringLiteral("自宅");
        return {};
    }
};
