#pragma once
// The system clipboard's Unicode text, for the scripted page's fields.
#include <windows.h>

#include <string>

namespace scripted {

// The clipboard's text; empty when it holds none or another program has it open.
std::wstring ReadClipboardText(HWND owner);
// Puts `text` on the clipboard in place of what was there; false when the
// clipboard could not be had.
bool WriteClipboardText(HWND owner, const std::wstring& text);

}  // namespace scripted
