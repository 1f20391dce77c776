#pragma once
// Test commands of the scripted page engine. A test (in any process) sends
// WM_COPYDATA to the engine's window with dwData COPYDATA_SCRIPTED_COMMAND
// (base/WindowMessages.h) and a UTF-16 command text (terminating zero
// included in cbData). The answer is 1 when the command was understood and
// carried out, 0 otherwise.
//
//   over <id>      the mouse comes over the element (mouse-over, then a move)
//   out <id>       the mouse leaves it (mouse-out)
//   down <id>      the left button is pressed on it (mouse-down)
//   up <id>        the left button is released on it (mouse-up)
//   move <id>      the mouse moves on it (mouse-move)
//   context <id>   the right button asks for a menu (context-menu)
//   click <id>     the element is clicked (its href is followed)
//   navigate <url> the page navigates
//   picture <path> the window's client area, painted as on screen, is written
//                  to the file <path> as a 32-bit BMP (an existing file is
//                  replaced). Another process's window that a main window
//                  holds is not drawn on screen under Wine, so pictures of
//                  the main window take the page from here.
//   focused <id>   answers 1 when the element has the page's focus (Tab and
//                  a press move it), 0 otherwise
//   field <id> <text>
//                  answers 1 when the field <id> holds exactly <text> (blanks
//                  around it aside; nothing after the id: an empty field)
//   fault          the page process makes an access violation once this
//                  command has been answered, and so ends through its crash
//                  filter like any crashing launcher process
//
// <id> is an element's id from the page script; "body" is the page itself.
// The engine's window has the class name kScriptedEngineClass.
#include <windows.h>

#include "base/WindowMessages.h"

constexpr wchar_t kScriptedEngineClass[] = L"ZuvaScriptedPage";
// The caption of the engine's own web message boxes.
constexpr wchar_t kWebMessageCaption[] = L"来自网页的消息";
