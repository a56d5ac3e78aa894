#pragma once

#include "editors/ValueEditor.h"
#include "model/AddressFormatRow.h"

#include <memory>

class PostalDatabase;
class QComboBox;
class QLabel;
class QMenu;
class QToolButton;
class ZipSearch;

// The postal address editor: label, country, postal code, state, city and
// street of one address, shown as the contact model formats it. For Japan a
// postal code fills prefecture, city and street from the shipped postal
// tables. Done while editing hands back the record; labelIndex -1 marks a new
// address.
class AddressViewController : public ValueEditor {
    Q_OBJECT

public:
    // What the country pull-down's title item and its first item stand for.
    static inline const QString defaultCountry = QStringLiteral("Default");

    explicit AddressViewController(QWidget *parent = nullptr);
    ~AddressViewController() override;

    [[nodiscard]] QComboBox *labelPopup() const { return m_labelPopup; }
    [[nodiscard]] QToolButton *countryCodePopup() const { return m_countryCodePopup; }
    [[nodiscard]] QLineEdit *countryField() const { return m_countryField; }
    [[nodiscard]] QLineEdit *zipField() const { return m_zipField; }
    [[nodiscard]] QPushButton *zipButton() const { return m_zipButton; }
    [[nodiscard]] QLineEdit *stateField() const { return m_stateField; }
    [[nodiscard]] QToolButton *statePulldown() const { return m_statePulldown; }
    [[nodiscard]] QLineEdit *cityField() const { return m_cityField; }
    [[nodiscard]] QLineEdit *streetField() const { return m_streetField; }
    [[nodiscard]] QLabel *postalAddressField() const { return m_postalAddressField; }
    // The record being edited; null before the context was set.
    [[nodiscard]] const LabeledValueRecordPtr &labeledValue() const { return m_labeledValue; }
    // The upper-case code chosen in the country pull-down, or "Default".
    [[nodiscard]] const QString &selectedCountryCode() const { return m_selectedCountryCode; }

    // Looks postal codes up in this database instead of the shipped tables.
    void setPostalDatabase(std::shared_ptr<const PostalDatabase> database);

protected:
    void fillControls(MVPerson *person, bool editable) override;
    void setControlsEditing(bool editing) override;
    bool writeResult() override;
    void didFinish() override;
    [[nodiscard]] bool doneTakesReturnAtToggle() const override { return false; }
    [[nodiscard]] bool readsEditEnabled() const override { return false; }

private:
    void buildControls();
    void buildCountryMenu();
    [[nodiscard]] LabeledValueRecordPtr recordToEdit(MVPerson *person) const;
    void updateUI();
    void showStates(const AddressFormatRowPtr &format);
    // The code whose format the address is shown in.
    [[nodiscard]] QString countryCodeInUse() const;
    void fieldsEdited();
    void labelChosen(int position);
    void stateChosen(const QString &state);
    void countryChosen(const QString &code, const QString &title);
    void zipEntered();
    void lookUpZip();
    void showZipNotFound();

    QComboBox *m_labelPopup = nullptr;
    QToolButton *m_countryCodePopup = nullptr;
    QMenu *m_countryMenu = nullptr;
    QLineEdit *m_countryField = nullptr;
    QLineEdit *m_zipField = nullptr;
    QPushButton *m_zipButton = nullptr;
    QLineEdit *m_stateField = nullptr;
    QToolButton *m_statePulldown = nullptr;
    QMenu *m_stateMenu = nullptr;
    QLineEdit *m_cityField = nullptr;
    QLineEdit *m_streetField = nullptr;
    QLabel *m_postalAddressField = nullptr;

    LabeledValueRecordPtr m_labeledValue;
    QStringList m_labels;
    QStringList m_localizedLabels;
    QString m_languageCode;
    QString m_defaultCountryCode;
    QString m_selectedCountryCode = defaultCountry;
    std::shared_ptr<const PostalDatabase> m_postalDatabase;
    std::unique_ptr<ZipSearch> m_zipSearch;
    // "Do not find" stands in the postal-code field: the record keeps its
    // own code until the user types there.
    bool m_zipNoticeShown = false;
};
