#pragma once

#include "print/HagakiView.h"
#include "print/PostcardPreviewPane.h"
#include "print/PrintContactRecord.h"
#include "print/PrintOptionsRecord.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class UserDefaults;

// The postcard preview beside the contact table: the first page of the chosen
// print style for the selected rows (a postcard or envelope: the card of the
// row the detail pane shows), with the sender the user marked.
// It holds its own copy of the print options, shared with its view and with
// every print job made from it, so that an envelope block moved here prints
// where it was moved; the copy is taken afresh whenever the options sheet
// announces a change.
class HagakiViewController : public QWidget, public PostcardPreviewPane {
    Q_OBJECT

public:
    // The widest and tallest the view is shown in the pane, in pixels.
    static constexpr int previewWidth = 285;
    static constexpr int previewHeight = 420;
    // The lowest the pane goes when the window is low.
    static constexpr int smallestPreviewHeight = 140;

    // Loads the stored options, or builds, uses and stores the default record
    // of the user's language when none is stored.
    explicit HagakiViewController(QWidget *parent = nullptr);
    explicit HagakiViewController(UserDefaults &defaults, QWidget *parent = nullptr);
    ~HagakiViewController() override;

    [[nodiscard]] HagakiView *hagakiView() const override { return m_hagakiView; }

    [[nodiscard]] const PrintOptionsRecordPtr &printOptions() const { return m_printOptions; }
    // Also the view's options.
    void setPrintOptions(const PrintOptionsRecordPtr &options);

    // Rows, sender and style are stored; the view takes them on updateUI().
    // The table's rows; the view draws values made from them.
    [[nodiscard]] const PrintSourceRows &receiverPersons() const { return m_receiverPersons; }
    void setReceiverPersons(const PrintSourceRows &receivers) override { m_receiverPersons = receivers; }
    void setShownReceiver(const SubContactRecordPtr &row) override { m_shownReceiver = row; }
    [[nodiscard]] SubContactRecordPtr senderPerson() const override { return m_senderPerson; }
    void setSenderPerson(const SubContactRecordPtr &sender) override { m_senderPerson = sender; }
    void setSelectedStyle(const QString &style) override { m_selectedStyle = style; }
    [[nodiscard]] bool layoutMode() const { return m_layoutMode; }
    void setLayoutMode(bool layoutMode);

    // Hands the rows and the sender to the view, which makes the print values
    // of those it shows, and redraws.
    void updateUI() override;
    // Sizes the view to its paper (its bounds) inside the pane.
    void fitViewToPane();

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void viewDidLoad();
    void printOptionsUpdated();

    UserDefaults *m_userDefaults = nullptr;
    QPointer<HagakiView> m_hagakiView;
    PrintOptionsRecordPtr m_printOptions;
    PrintSourceRows m_receiverPersons;
    SubContactRecordPtr m_shownReceiver;
    SubContactRecordPtr m_senderPerson;
    QString m_selectedStyle = PrintStyleName::hagaki;
    bool m_layoutMode = false;
};
