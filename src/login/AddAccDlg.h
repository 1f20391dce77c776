#pragma once
// CAddAccDlg: the prompt under the main window's "登录其他账号" link: a new
// tab in this window, or a window of its own.
#include "ui/BtnEx.h"
#include "ui/DlgEx.h"
#include "ui/StaticEx.h"

class CAddAccDlg : public CDlgEx {
public:
    explicit CAddAccDlg(CWnd* parent = nullptr);

    CBtnEx m_btnYes;         // 1
    CBtnEx m_btnNo;          // 2
    CStaticEx m_lblQuestion;  // 1023

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    // The button images drawn for a new display scale.
    void OnScaleChanged() override;
    void OnOK() override;      // "是": a new tab
    void OnCancel() override;  // "否": a new window
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Answer(WPARAM newTab);
};
