#include "SkinnedAtScale.h"

#include <gtest/gtest.h>

#include "ui/DlgEx.h"
#include "ui/SkinCatalog.h"
#include "ui/WindowDpi.h"

namespace wintest {

void ExpectSkinnedAtItsScale(HWND window, unsigned closeImage, int captionHeight, int btnRight, int btnTop) {
    const DpiScale s = ScaleOfWindow(window);
    RECT client{}, close{};
    ::GetClientRect(window, &client);
    ASSERT_TRUE(::GetWindowRect(::GetDlgItem(window, CDlgEx::kIdTitleClose), &close));
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&close), 2);
    const Size frames = SkinImageSize(closeImage, s.dpi());
    EXPECT_EQ(close.right - close.left, frames.cx / 4) << "at " << s.dpi() << " DPI";
    EXPECT_EQ(close.bottom - close.top, frames.cy);
    EXPECT_EQ(close.right, client.right - s.Px(btnRight));
    EXPECT_EQ(close.top, s.Px(btnTop));

    if (captionHeight <= 0) return;  // no title band of its own
    auto hitAt = [&](int y) {
        POINT at{client.right / 3, y};
        ::ClientToScreen(window, &at);
        return ::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
    };
    const int bandEnd = s.Px(captionHeight);
    EXPECT_EQ(hitAt(bandEnd - 2), HTCAPTION) << "the title band ends at " << bandEnd;
    EXPECT_NE(hitAt(bandEnd + 2), HTCAPTION);
}

}  // namespace wintest
