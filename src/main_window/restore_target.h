#pragma once

#include <string>

// The restore target the user types: what is offered first, and which folders are taken.
namespace main_window {

// The folder the question for a target offers first.
extern const char* const kDefaultRestoreTarget;

// True when folder names a complete path, which does not depend on the folder the program
// happens to run in (nothing expands "~" or a relative path here).
bool IsCompleteFolder(const std::string& folder);

// Said when a typed target is not complete.
extern const char* const kIncompleteTargetMessage;

}  // namespace main_window
