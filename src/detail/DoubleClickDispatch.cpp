#include "detail/DoubleClickDispatch.h"

#include "detail/DetailRowKinds_p.h"

using namespace FieldId;

namespace DoubleClickDispatch {

namespace {

bool isMultiValued(const ContactIdentifier &type)
{
    return type == Phone || type == Email || type == URL || type == SocialNetwork || type == Relationship;
}

bool isDate(const ContactIdentifier &type)
{
    return type == Dates || type == Birthday;
}

// Ctrl asks for the whole list, whatever the state and column.
std::optional<Action> withCommand(const Click &click)
{
    if (isMultiValued(click.type) || click.type == Address || click.type == InstantMessage)
        return Action::MultiValueEditor;
    if (isDate(click.type))
        return Action::DateEditor;
    return std::nullopt;
}

// Locked, only a value that is there opens, and its editor opens locked.
Action whileLocked(const Click &click)
{
    if (click.column != Column::Value || click.textEmpty)
        return Action::Nothing;
    if (click.type == Address)
        return Action::AddressEditor;
    if (click.type == InstantMessage)
        return Action::InstantMessageEditor;
    if (click.type == SocialNetwork)
        return Action::SocialProfileEditor;
    if (isDate(click.type))
        return Action::DateEditor;
    return Action::Nothing;
}

Action onTypeCell(const Click &click)
{
    if (isDate(click.type))
        return Action::DateEditor;
    if (isMultiValued(click.type) || click.type == Address || click.type == InstantMessage)
        return Action::MultiValueEditor;
    return Action::Nothing;
}

Action onValueCell(const Click &click)
{
    const ContactIdentifier &type = click.type;
    if (isMultiValued(type) && click.textEmpty)
        return Action::MultiValueEditor;
    if (type == Address && click.textEmpty)
        return click.host == DetailHost::Merge ? Action::MultiValueEditor : Action::NewAddressEditor;
    if (type == Address)
        return Action::AddressEditor;
    if (type == InstantMessage)
        return click.textEmpty ? Action::MultiValueEditor : Action::InstantMessageEditor;
    if (type == SocialNetwork)
        return Action::SocialProfileEditor; // its text is not empty here
    if (isDate(type))
        return Action::DateEditor;
    if (type == Name || type == PhoneticName)
        return Action::InPlace;
    if (type == Renmei)
        return Action::JointNamesEditor;
    if (DetailRowKinds::isStringType(type))
        return Action::InPlace;
    if (isMultiValued(type)) // phone, mail, web address, relation with text
        return click.host == DetailHost::Popover || !click.labelEmpty ? Action::InPlace : Action::Nothing;
    // Their pop-ups take the clicks.
    if (type == NameOrdering || type == DetailRowKinds::NameDisplay)
        return Action::Nothing;
    return click.commandDown || click.labelEmpty ? Action::Nothing : Action::InPlace;
}

} // namespace

Action actionFor(const Click &click)
{
    if (click.commandDown) {
        if (const std::optional<Action> action = withCommand(click))
            return *action;
    }
    if (!click.editState)
        return whileLocked(click);
    // The merge sheet's type cells only drag.
    if (click.column == Column::Type)
        return click.host == DetailHost::Merge ? Action::Nothing : onTypeCell(click);
    return onValueCell(click);
}

} // namespace DoubleClickDispatch
