#pragma once

// The answers of a modal run that the windows of the application end
// themselves, as the callers compare them.
namespace ModalResponse {

// The window closed: its run stopped.
inline constexpr int Stop = -1000;
// The user cancelled: the run was aborted, and the caller stops its work.
inline constexpr int Abort = -1001;
// A sheet ended with its OK button.
inline constexpr int OK = 1;

} // namespace ModalResponse
