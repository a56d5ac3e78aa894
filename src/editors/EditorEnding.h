#pragma once

// How a value editor is ended from outside, when its window saves, closes or
// reverts: as its Done would (what the user changed applied) or as its
// Cancel.
enum class EditorEnding { Done, Cancel };
