#pragma once
// The controls in a main window's title band: the hide, sound and menu
// buttons and the "log in another account" link. The skin's own minimise,
// maximise and close buttons are the dialog base's.
#include "ui/BtnEx.h"
#include "ui/DpiScale.h"
#include "ui/StaticEx.h"

struct TitleControls {
    // Images at `scale` and colours, once the controls are bound; again at
    // another scale, after which the next layout places them anew.
    void SetUp(const DpiScale& scale);
    // Places the controls at `scale` left of `captionButtonsLeft`, where the
    // skin's own caption buttons begin in a client area `cx` wide; true when
    // they moved (the width changed, or new images came since).
    bool Layout(int cx, int captionButtonsLeft, const DpiScale& scale);
    int width() const { return m_lastWidth; }
    // Shows the mute state on the sound button, in its image at `scale`,
    // when it is not shown yet.
    void ShowMute(int muted, const DpiScale& scale);
    // Shows or hides all four (hidden in full screen).
    void Show(bool shown);

    CBtnEx m_btnHide;
    CBtnEx m_btnMenu;
    CBtnEx m_btnSound;
    CStaticEx m_lnkAddAcc;

private:
    int m_lastWidth = 0;  // client width of the previous layout (0: lay out again)
    unsigned m_soundImage = 0;  // the sound button's image id (0: not set up yet)
    int m_shownMute = 1;  // the mute value the sound button shows
};
