#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>
#include <optional>

// The label-size presets of the "Mailing Labels" options: one dictionary per
// preset with "name", "labelWidth", "labelHeight", "hGap" and "vGap", lengths
// in points. The options sheet owns the list; the preset panel edits the same
// list, so a change shows in the sheet without copying back.
using LabelPresetList = QVariantList;
using LabelPresetListPtr = std::shared_ptr<LabelPresetList>;

// The unit the preset table shows and takes lengths in; stored values are
// always points.
enum class LabelLengthUnit { Points, Millimetres, Inches };

// One row per preset, one column per preset key. Lengths show in the chosen
// unit; an entered length that is no number, or out of its range, is refused
// and the stored value kept. Every accepted edit is announced with
// "MV1NmLabelAttributeChanged", naming the edited preset.
class LabelPresetTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static inline const QString labelAttributeChanged = QStringLiteral("MV1NmLabelAttributeChanged");
    // The user info's key for the row of the named preset: names repeat, rows don't.
    static inline const QString presetRowKey = QStringLiteral("row");

    // Column keys, in column order.
    [[nodiscard]] static const QStringList &columnKeys();

    // Unit titles: "mm" and "inches"; anything else is points.
    [[nodiscard]] static LabelLengthUnit unitForTitle(const QString &title);
    // Points to the unit and back. The 72 is applied in single precision, the
    // 25.4 in double; the results are single-precision numbers.
    [[nodiscard]] static float shownLength(double points, LabelLengthUnit unit);
    [[nodiscard]] static float storedLength(double typed, LabelLengthUnit unit);
    // A new preset as the add button makes it: "new", 100 x 50, gaps 5 and 6.
    [[nodiscard]] static QVariantMap newPreset();

    explicit LabelPresetTableModel(QObject *parent = nullptr);

    void setPresets(LabelPresetListPtr presets);
    [[nodiscard]] LabelPresetListPtr presets() const { return m_presets; }

    void setUnit(LabelLengthUnit unit);
    [[nodiscard]] LabelLengthUnit unit() const { return m_unit; }

    // Appends newPreset() and announces it; returns its row.
    int appendNewPreset();
    // Removes a preset and announces the removal without a name, so holders
    // of the list keep their sizes but name no preset. False for a bad row.
    bool removePreset(int row);
    // The preset's name, "" for a row without one.
    [[nodiscard]] QString presetName(int row) const;

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    [[nodiscard]] QVariantMap presetAt(int row) const;
    // The entered length in points, or nothing when it must be refused.
    [[nodiscard]] std::optional<float> acceptedLength(const QString &key, const QVariant &value) const;
    static void announce(const QString &name, int row);

    LabelPresetListPtr m_presets;
    LabelLengthUnit m_unit = LabelLengthUnit::Points;
};
