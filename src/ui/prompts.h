// The modal questions of the preparation stage and the archive component:
// the input dialog of the mount prompt, the OK/Cancel retry box and the
// No/Abort question. Each blocks until the user answers and never throws.
#pragma once

#include <windows.h>

#include <string>

namespace zel::ui {

// An input dialog with caption, one prompt line and an edit field holding
// text. OK stores the field's text in text and returns true; Cancel (or
// closing the dialog) returns false and leaves text unchanged.
bool InputQuery(HWND owner, const std::string& caption, const std::string& prompt,
                std::string& text);

// A modal error box with OK and Cancel; true for OK.
bool RetryBox(HWND owner, const std::string& text, const std::string& caption);

// A warning box with the buttons No and Abort (No is the default and what
// Escape answers). Returns true when Abort was pressed.
bool AskNoAbort(HWND owner, const std::string& text, const std::string& caption);

}  // namespace zel::ui
