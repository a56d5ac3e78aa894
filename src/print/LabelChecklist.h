#pragma once

#include <QStringList>
#include <QToolButton>

class QAction;
class QMenu;

// Which labels of a contact's values an address list prints: a button with a
// menu of check marks under the header "Label" (which never counts). "All"
// stands alone; marking any label clears it, and clearing the last label
// marks it again.
class LabelChecklist : public QToolButton {
    Q_OBJECT

public:
    explicit LabelChecklist(QWidget *parent = nullptr);

    // "All", "home", "work", "other", then every field's labels, each once.
    [[nodiscard]] static QStringList labelTitles();

    // Rebuilds the entries and marks the stored selection ("All" for ["All"],
    // an empty or unknown one); a stored label no entry names is added.
    void fill(const QStringList &titles, const QStringList &selectedLabels);
    // The marked labels in menu order, or ["All"].
    [[nodiscard]] QStringList selection() const;
    [[nodiscard]] QMenu *checklistMenu() const { return m_menu; }

Q_SIGNALS:
    // The user picked an entry; the selection to store.
    void selectionChanged(const QStringList &selection);

private:
    void entryChosen(QAction *action);
    [[nodiscard]] QList<QAction *> labelActions() const;
    void showSelection();

    QMenu *m_menu = nullptr;
    QAction *m_allAction = nullptr;
};
