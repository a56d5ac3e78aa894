#pragma once

// The preview's interface lives with the preview, in the print library.
#include "print/PostcardPreviewPane.h"
