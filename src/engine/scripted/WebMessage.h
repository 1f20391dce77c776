#pragma once
// A page's web message box (its unload alert): the host may show it; when
// the host leaves it to the engine, the engine shows a modal platform box
// owned by its top-level window and captioned kWebMessageCaption.
#include <string>

#include "framework/PageEngine.h"

namespace scripted {

// Returns once the box is gone, whether answered or destroyed from outside.
void ShowWebMessage(PageHost& host, HWND engineWindow, const std::wstring& text);

}  // namespace scripted
