#pragma once

#include <QString>
#include <QVariantMap>

#include <memory>

// Every print setting in one string-keyed dictionary, stored whole in the user
// defaults under "MV1DprintOptions", with one sub-dictionary per print style.
// A pane and the view it draws with share one record through the pointer;
// every holder works on its own deep copy of the stored record and stores it
// back whole, so the last writer wins.
using PrintOptionsRecord = QVariantMap;
using PrintOptionsRecordPtr = std::shared_ptr<PrintOptionsRecord>;

// The record's keys, as they are stored.
namespace PrintOptionsKey {
inline const QString Version = QStringLiteral("Version");
inline const QString UnitType = QStringLiteral("unitType");
inline const QString AddressFormat = QStringLiteral("addressFormat");
inline const QString PrintStyle = QStringLiteral("printStyle");
inline const QString Keishou = QStringLiteral("keishou");
inline const QString FontName = QStringLiteral("fontName");
inline const QString FontSize = QStringLiteral("fontSize");
inline const QString TopMargin = QStringLiteral("topMargin");
inline const QString LeftMargin = QStringLiteral("leftMargin");
inline const QString RightMargin = QStringLiteral("rightMargin");
inline const QString BottomMargin = QStringLiteral("bottomMargin");
// The sub-records of the print styles. The style "Labels" reads "Mailing Labels".
inline const QString AddressList = QStringLiteral("Address List");
inline const QString MailingLabels = QStringLiteral("Mailing Labels");
inline const QString Envelope = QStringLiteral("Envelope");
inline const QString Hagaki = QStringLiteral("Hagaki");

// Shared by several sub-records.
inline const QString PrintFrame = QStringLiteral("printFrame");
inline const QString PrintCountry = QStringLiteral("printCountry");
inline const QString DrawTextInVertical = QStringLiteral("drawTextInVertical");
inline const QString VerticalFontName = QStringLiteral("verticalFontName");
inline const QString SelectedLabels = QStringLiteral("selectedLabels");

// "Address List".
inline const QString AlternatingRow = QStringLiteral("alternatingRow");
inline const QString ItemTable = QStringLiteral("itemTable");
inline const QString Title = QStringLiteral("Title");
inline const QString State = QStringLiteral("State");
inline const QString Enabled = QStringLiteral("Enabled");

// "Mailing Labels" and its presets.
inline const QString LabelWidth = QStringLiteral("labelWidth");
inline const QString LabelHeight = QStringLiteral("labelHeight");
inline const QString HGap = QStringLiteral("hGap");
inline const QString VGap = QStringLiteral("vGap");
inline const QString RepeatCount = QStringLiteral("repeatCount");
inline const QString PresetArray = QStringLiteral("presetArray");
inline const QString SelectedPreset = QStringLiteral("selectedPreset");
inline const QString Name = QStringLiteral("name");

// "Envelope".
inline const QString PrintBorder = QStringLiteral("printBorder");
inline const QString PrintZIP = QStringLiteral("printZIP");
inline const QString TextDirection = QStringLiteral("textDirection");
inline const QString RectDicts = QStringLiteral("rectDicts");
inline const QString ReceiverRect = QStringLiteral("receiverRect");
inline const QString ReceiverRectUpDown = QStringLiteral("receiverRectUpDown");
inline const QString SenderRect = QStringLiteral("senderRect");
inline const QString SenderRectUpDown = QStringLiteral("senderRectUpDown");

// "Hagaki".
inline const QString ShowBackground = QStringLiteral("showBackground");
inline const QString HagakiType = QStringLiteral("hagakiType");
inline const QString PrintChildren = QStringLiteral("printChildren");
inline const QString HagakiAutoSenderPosition = QStringLiteral("hagakiAutoSenderPosition");
inline const QString SenderZIPPositionForNenga = QStringLiteral("senderZIPPositionForNenga");
} // namespace PrintOptionsKey
