#pragma once
// The launcher's message box: a small skinned modal window titled
// "KorvelFerrowind" that sizes itself to its text and answers with the
// platform's result codes.
#include <windows.h>

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

private:
    void PlaceCentred(const Size& size);
    void CreateButton(CBtnEx& button, UINT id, const Rect& rc, HBITMAP strip, const wchar_t* windowText,
                      const wchar_t* caption);
    // The text lines, drawn into the off-screen background with the skin.
    void PaintExtras(HDC dc) override;
};

// type: kBoxOk, kBoxOkCancel or kBoxYesNo. Answers IDOK, IDCANCEL (also when
// closed), IDYES or IDNO.
int ShowMessageBox(int type, const std::wstring& text, HWND owner);
// The same with the skin images given; the box takes and frees them.
int ShowSkinnedMessageBox(HWND owner, const std::wstring& text, fw::BitmapHandle background,
                          fw::BitmapHandle close, fw::BitmapHandle button1, fw::BitmapHandle button2, int type);
