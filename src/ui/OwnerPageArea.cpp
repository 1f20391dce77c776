#include "ui/OwnerPageArea.h"

#include "ui/PageArea.h"
#include "ui/RectConvert.h"

RECT PageAreaInOwner(HWND owner, const DpiScale& scale) {
    RECT client{};
    ::GetClientRect(owner, &client);
    // A property is read the same from any process that has the handle.
    if (::GetPropW(owner, kFullScreenMark)) return client;
    return ToRECT(PageAreaOf(ToRect(client), scale));
}

void MarkFullScreen(HWND owner, bool fullScreen) {
    if (fullScreen)
        ::SetPropW(owner, kFullScreenMark, reinterpret_cast<HANDLE>(1));
    else
        ::RemovePropW(owner, kFullScreenMark);
}
