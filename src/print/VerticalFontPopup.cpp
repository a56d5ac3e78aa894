#include "print/VerticalFontPopup.h"

#include "print/PrintOptionValue.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QSignalBlocker>

void VerticalFontPopup::fill(
    QComboBox *popup, const QList<Entry> &fonts, QVariantMap &subRecord, const QString &key, EmptyFace emptyFace)
{
    static const QString preferredFace = QStringLiteral("Hiragino Maru Gothic ProN");
    const QSignalBlocker blocker(popup);
    popup->clear();
    for (const Entry &font : fonts)
        popup->addItem(font.first, font.second);
    QString fontName = PrintOptionValue::text(subRecord.value(key));
    if (fontName.isEmpty()) {
        if (emptyFace == EmptyFace::Preferred && popup->findData(preferredFace) >= 0)
            fontName = preferredFace;
        else if (emptyFace == EmptyFace::FirstListed && !fonts.isEmpty())
            fontName = fonts.first().second;
        else
            fontName = QGuiApplication::font().family();
        subRecord.insert(key, fontName);
    }
    if (popup->findData(fontName) < 0)
        popup->addItem(fontName, fontName);
    popup->setCurrentIndex(popup->findData(fontName));
}
