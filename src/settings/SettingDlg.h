#pragma once
// CSettingDlg: the modal dialog in which the player sets the boss, window-
// switch and sound keys by pressing them. Confirming writes the fields that
// name a whole hotkey to Statistic.ini and tells every running instance to
// reload; cancelling writes nothing.
#include <cstdint>
#include <optional>

#include "framework/Handles.h"
#include "hotkey/HotkeyModel.h"
#include "ui/BtnEx.h"
#include "ui/DlgEx.h"
#include "ui/StaticEx.h"

class CSettingDlg : public CDlgEx {
public:
    // Construct on the stack with the main window as owner, then DoModal.
    explicit CSettingDlg(CWnd* owner);

    CWnd m_editBoss;                // 1007
    CWnd m_editSwitch;              // 1010
    CWnd m_editSound;               // 1014
    CStaticEx m_lblBoss;            // 1006
    CStaticEx m_lblBossExample;     // 1008
    CStaticEx m_lblSwitch;          // 1009
    CStaticEx m_lblSwitchExample;   // 1011
    CStaticEx m_lblSound;           // 1016
    CStaticEx m_lblSoundExample;    // 1015
    CBtnEx m_btnOK;                 // 1
    CBtnEx m_btnCancel;             // 2
    // The main key last taken in each field (or loaded into it), boss,
    // switch and sound.
    int32_t m_nRememberedVk[3] = {0, 0, 0};

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    CWnd& Edit(HotkeyId id);
    std::optional<HotkeyId> FocusedField() const;
    // Shows `text` in the field with the caret after it, in view.
    void ShowInField(HotkeyId id, const std::wstring& text);

    HotkeyRecord m_loaded[3];       // what the file held when the dialog opened
    fw::BrushHandle m_brGroup;      // behind the group boxes' captions
};
