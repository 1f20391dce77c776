#pragma once
// CDialog: a window built from a dialog template in the executable's
// resources, run modally (DoModal, our own loop) or modeless (Create).
#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog in a modal loop of our own: the owner is disabled, and
    // every message first walks PreTranslateMessage from its target window up
    // to this dialog. Returns the EndDialog result, or -1 when the dialog could
    // not be created or the loop met WM_QUIT (which is posted again).
    virtual INT_PTR DoModal();
    // Creates the dialog modeless.
    bool Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(INT_PTR result);

    UINT GetTemplateId() const { return m_templateId; }
    // An owner that has no object of ours (DoModal disables it all the same).
    void SetOwnerWindow(HWND owner) { m_ownerWindow = owner; }

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // Default: the dialog manager's keyboard handling (Tab, Enter, Esc).
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    virtual BOOL OnInitDialog();
    // Ties controls to their member objects; runs before OnInitDialog.
    virtual void DoDataExchange() {}
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // WM_COMMAND other than IDOK/IDCANCEL; true when handled.
    virtual bool OnCommand(UINT id, UINT code, HWND ctl);

    void DDX_Control(UINT id, CWnd& control) { control.SubclassDlgItem(id, this); }

    CWnd* m_pParentWnd;

private:
    HWND CreateFromTemplate(UINT templateId, HWND parent);
    static INT_PTR CALLBACK StartProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    UINT m_templateId;
    HWND m_ownerWindow = nullptr;
    bool m_modalRunning = false;
    bool m_ended = false;
    INT_PTR m_result = -1;
};
