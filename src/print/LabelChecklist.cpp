#include "print/LabelChecklist.h"

#include "model/FieldVocabulary.h"

#include <QMenu>

namespace {
const QString allTitle = QStringLiteral("All");
} // namespace

LabelChecklist::LabelChecklist(QWidget *parent)
    : QToolButton(parent)
    , m_menu(new QMenu(this))
{
    setMenu(m_menu);
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(m_menu, &QMenu::triggered, this, &LabelChecklist::entryChosen);
    fill(labelTitles(), {allTitle});
}

QStringList LabelChecklist::labelTitles()
{
    QStringList titles{allTitle, QStringLiteral("home"), QStringLiteral("work"), QStringLiteral("other")};
    for (const auto &identifier : FieldVocabulary::shared().labeledIdentifiers()) {
        for (const QString &label : FieldVocabulary::shared().labelsForIdentifier(identifier)) {
            if (label.isEmpty() || titles.mid(0, 4).contains(label))
                continue;
            // A title already listed moves to the end, so each shows once.
            titles.removeAll(label);
            titles.append(label);
        }
    }
    return titles;
}

void LabelChecklist::fill(const QStringList &titles, const QStringList &selectedLabels)
{
    m_menu->clear();
    QAction *header = m_menu->addAction(tr("Label"));
    header->setEnabled(false);
    m_allAction = nullptr;
    QStringList entries = titles;
    if (!entries.contains(allTitle))
        entries.prepend(allTitle);
    for (const QString &label : selectedLabels) {
        if (!entries.contains(label))
            entries.append(label);
    }
    const bool all = selectedLabels.isEmpty() || selectedLabels.contains(allTitle);
    for (const QString &title : entries) {
        QAction *action = m_menu->addAction(title);
        action->setCheckable(true);
        if (title == allTitle) {
            m_allAction = action;
            action->setChecked(all);
        } else {
            action->setChecked(!all && selectedLabels.contains(title));
        }
    }
    showSelection();
}

QList<QAction *> LabelChecklist::labelActions() const
{
    QList<QAction *> result;
    for (QAction *action : m_menu->actions()) {
        if (action->isCheckable() && action != m_allAction)
            result << action;
    }
    return result;
}

QStringList LabelChecklist::selection() const
{
    QStringList result;
    for (QAction *action : labelActions()) {
        if (action->isChecked())
            result << action->text();
    }
    return result.isEmpty() ? QStringList{allTitle} : result;
}

void LabelChecklist::entryChosen(QAction *action)
{
    if (!action->isCheckable())
        return;
    if (action == m_allAction) {
        m_allAction->setChecked(true);
        for (QAction *label : labelActions())
            label->setChecked(false);
    } else {
        // The menu has toggled the entry already.
        const bool anyMarked = selection() != QStringList{allTitle};
        m_allAction->setChecked(!anyMarked);
    }
    showSelection();
    Q_EMIT selectionChanged(selection());
}

void LabelChecklist::showSelection()
{
    setText(selection().join(QStringLiteral(", ")));
}
