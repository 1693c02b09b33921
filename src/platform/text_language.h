#pragma once

// The program speaks Italian whatever the machine's locale: the toolkit's own texts too
// (the standard buttons, the progress window, the text boxes' menus, system error texts).
namespace platform {

// Loads the toolkit's Italian catalog (on Linux from the system's locale tree, and points the
// system's message catalogs at Italian; on Windows from the program's own resources). Call once
// the toolkit has started. False when the toolkit's Italian catalog is missing: the windows
// then work with its texts in English.
[[nodiscard]] bool UseItalianTexts();

}  // namespace platform
