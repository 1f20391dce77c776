#pragma once
// CPopInfoDlg: the portal's notice for this game, a small tool window in the
// bottom-right corner of the screen. It fetches the notice, decides whether
// the player should see it, shows it for a while, pauses, shows it again
// until it has been shown as often as published. Its close button or a click
// on it dismisses the notice for good; one that ran its course comes back at
// the next start.
#include <string>

#include "extras/NoticeLayout.h"
#include "extras/NoticeRecord.h"
#include "extras/NoticeRepeat.h"
#include "ui/DlgEx.h"
#include "ui/StaticEx.h"

class CPopInfoDlg : public CDlgEx {
public:
    CPopInfoDlg();

    CStaticEx m_lblPicture;  // 1019
    CStaticEx m_lblTitle;    // 1020
    CStaticEx m_lblText;     // 1021
    CStaticEx m_lnkDetails;  // 1022

    // Fetches the portal's record, applies the repeat rule, the last day and
    // the field limits, and remembers the accepted record; true when the
    // notice is to be shown.
    bool FetchNotice();
    // The repeat rule against what the settings remember of earlier notices.
    bool ShouldShowNotice(const std::wstring& record) const;
    // Whether initialisation found something to show (the window closes by
    // itself otherwise).
    bool WantsToShow() const { return m_hasNotice; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void OnOK() override {}      // Enter does nothing
    void OnCancel() override {}  // nor does Escape
    bool OnCommand(UINT id, UINT code, HWND ctl) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnTimer(UINT_PTR id) override;

private:
    void ApplySkin(const NoticeSkin& skin);
    void PlaceLabels(NoticeLayout layout);
    fw::BitmapHandle FetchPicture() const;
    void PlaceOnScreen();
    void OnNoticeClick();
    // Stops the timers, records how the notice ended and destroys the window.
    void Close(NoticeEnd end);
    // A system command that reaches the window, however it came: true when taken.
    bool OnSysCommand(WPARAM command);

    NoticeRecord m_notice;
    NoticeShowings m_showings{0};
    bool m_hasNotice = false;
};
