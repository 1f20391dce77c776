#pragma once
// The point size a dialog template gives its font (DS_SETFONT). The dialog
// manager makes the dialog's font from it once, at the DPI the dialog is
// created at; a dialog that moves to a display of another DPI makes it again
// from the same points, so that its text is as large as in a dialog created
// there.
#include <cstddef>
#include <cstdint>
#include <optional>

// The points of the template in `bytes` (either template layout, the
// extended one or the classic one), or nothing when the template sets no
// font or is cut short.
std::optional<int> DialogTemplatePointSize(const uint8_t* bytes, size_t size);
