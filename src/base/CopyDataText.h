#pragma once
// Text carried between the launcher's processes by WM_COPYDATA, the one
// message whose data the system copies across: UTF-16 with its terminating
// zero, tagged by dwData.
#include <windows.h>

#include <string>

// The text of a record that arrived, up to its first zero character and never
// past the record's end.
std::wstring CopyDataText(const COPYDATASTRUCT& data);

// The record that carries `text` (which must outlive it) tagged `tag`.
COPYDATASTRUCT CopyDataRecord(ULONG_PTR tag, std::wstring& text);

// Sends `text` tagged `tag` to `to`, as from window `from`, and waits at most
// `timeoutMs` for the answer (not at all for a window that does not respond).
// False when no answer came; else the answer in *answer.
bool SendCopyDataText(HWND to, HWND from, ULONG_PTR tag, std::wstring text, UINT timeoutMs, DWORD_PTR* answer);
