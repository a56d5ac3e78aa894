#pragma once

#include "model/ContainerRecord.h"

class QFont;

// What the window's controller asks of the outline of containers and groups.
class GroupOutlinePane {
public:
    virtual ~GroupOutlinePane() = default;

    virtual void setContainerTable(const ContainerTablePtr &containerTable) = 0;
    virtual void setSelectedGroupDict(const GroupRecordPtr &selectedGroupDict) = 0;
    virtual void updateTable() = 0;
    virtual void setEditState(bool editState) = 0;
    virtual void setSelectedFont(const QFont &font) = 0;
};
