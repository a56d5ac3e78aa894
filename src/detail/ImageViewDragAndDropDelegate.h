#pragma once

class ImageViewDragAndDrop;

// Told by a photo well after a picture was dropped on it.
class ImageViewDragAndDropDelegate {
public:
    virtual ~ImageViewDragAndDropDelegate() = default;

    virtual void imageDidChange(ImageViewDragAndDrop *well) = 0;
};
