#pragma once
// Interface ids the page engine needs that mingw-w64's libuuid lacks.
#include <windows.h>

namespace ie {

// IDocHostShowUI: the browser asks its host before showing a message box.
inline constexpr IID kIidDocHostShowUI = {
    0xc4d244b0, 0xd43e, 0x11cf, {0x89, 0x3b, 0x00, 0xaa, 0x00, 0xbd, 0xce, 0x1a}};
// HTMLDocumentEvents2: a document's DOM events, each with its event object.
inline constexpr IID kDiidHtmlDocumentEvents2 = {
    0x3050f613, 0x98b5, 0x11cf, {0xbb, 0x82, 0x00, 0xaa, 0x00, 0xbd, 0xce, 0x0b}};
// IHTMLElement3: whether an element is editable (isContentEditable).
inline constexpr IID kIidHtmlElement3 = {
    0x3050f673, 0x98b5, 0x11cf, {0xbb, 0x82, 0x00, 0xaa, 0x00, 0xbd, 0xce, 0x0b}};
// IHTMLFrameBase2: a frame or iframe element's window (contentWindow).
inline constexpr IID kIidHtmlFrameBase2 = {
    0x3050f6db, 0x98b5, 0x11cf, {0xbb, 0x82, 0x00, 0xaa, 0x00, 0xbd, 0xce, 0x0b}};

}  // namespace ie
