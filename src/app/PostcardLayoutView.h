#pragma once

// The postcard view's interface lives with the view, in the print library.
#include "print/PostcardLayoutView.h"
