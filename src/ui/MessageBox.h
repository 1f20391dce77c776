#pragma once
// The launcher's message box: a small skinned modal window titled
// "KorvelFerrowind" that sizes itself to its text and answers with the
// platform's result codes.
#include <windows.h>

#include <optional>
#include <string>

#include "ui/ControlLayout.h"
#include "ui/DlgEx.h"

class CMessageBox : public CDlgEx {
public:
    explicit CMessageBox(CWnd* owner);
    // Closing with the caption button or the system close command answers 2
    // whatever the style.

    fw::BitmapHandle m_hbmFrame;
    fw::BitmapHandle m_hbmClose;
    fw::BitmapHandle m_hbmButton1;
    fw::BitmapHandle m_hbmButton2;
    std::wstring m_strText;     // "\n" separates lines
    std::wstring m_strCaption;
    int m_nType = kBoxOk;       // kBoxYesNo, kBoxOkCancel, anything else OK
    int m_nLines = 1;
    CBtnEx m_btn1;              // 5000
    CBtnEx m_btn2;              // 5001

    void SetContent(int type, const std::wstring& text, fw::BitmapHandle background, fw::BitmapHandle close,
                    fw::BitmapHandle button1, fw::BitmapHandle button2);
    // The launcher's own images in place of the given ones (the dialog
    // frame, its close button, the push button): drawn at the box's scale,
    // and again at each new one.
    void UseLauncherImages() { m_launcherImages = true; }

    static constexpr UINT kIdButton1 = kIdBoxButton1;
    static constexpr UINT kIdButton2 = kIdBoxButton2;
    // A hidden label that holds the text where the system's own message box
    // keeps it, for tools that read message boxes (screen readers, automation).
    static constexpr UINT kIdText = 0xFFFF;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}      // Enter does nothing
    void OnCancel() override {}  // nor does Escape
    bool OnCommand(UINT id, UINT code, HWND ctl) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // A new scale: the buttons take their images and font at it; the size
    // that follows lays the box out again.
    void OnScaleChanged() override;
    // The box's size for its text and buttons at `dpi`.
    std::optional<SIZE> SizeAtDpi(int dpi) override;

private:
    // Over the owner, or in the middle of its display's work area.
    void PlaceCentred();
    // The window's size for the text measured in `font` and buttons of
    // `button`'s size (one frame), at `scale`.
    Size ContentSize(HFONT font, const DpiScale& scale, const Size& button) const;
    // One frame of the button strip as it is drawn at `dpi`.
    Size ButtonSize(int dpi) const;
    void LoadButtonImages();
    // Where the layout puts the buttons in the client area as it is now.
    MessageBoxButtons ButtonRects() const;
    void LayOutButtons();
    // The captions' font: the stock GUI font, made at the system's DPI, only
    // where the box and the system are both at 96 DPI; the box's own font
    // at its scale everywhere else.
    void SetButtonFont();
    void CreateButton(CBtnEx& button, UINT id, const Rect& rc, HBITMAP strip, const wchar_t* windowText,
                      const wchar_t* caption);

    bool m_launcherImages = false;
    // The text lines, drawn into the off-screen background with the skin.
    void PaintExtras(HDC dc) override;
};

// type: kBoxOk, kBoxOkCancel or kBoxYesNo. Answers IDOK, IDCANCEL (also when
// closed), IDYES or IDNO.
int ShowMessageBox(int type, const std::wstring& text, HWND owner);
// The same with the skin images given; the box takes and frees them.
int ShowSkinnedMessageBox(HWND owner, const std::wstring& text, fw::BitmapHandle background,
                          fw::BitmapHandle close, fw::BitmapHandle button1, fw::BitmapHandle button2, int type);
