#pragma once
// The controls in a main window's title band: the hide, sound and menu
// buttons and the "log in another account" link. The skin's own minimise,
// maximise and close buttons are the dialog base's.
#include "ui/BtnEx.h"
#include "ui/StaticEx.h"

struct TitleControls {
    // Images and colours, once the controls are bound.
    void SetUp();
    // Places the controls for a client area `cx` wide; true when they moved
    // (the width changed).
    bool Layout(int cx);
    int width() const { return m_nLastWidth; }
    // Shows the mute state on the sound button, when it is not shown yet.
    void ShowMute(int muted);

    CBtnEx m_btnHide;
    CBtnEx m_btnMenu;
    CBtnEx m_btnSound;
    CStaticEx m_lnkAddAcc;

private:
    int m_nLastWidth = 0;  // client width of the previous layout
    int m_nShownMute = 1;  // the mute value the sound button shows
};
