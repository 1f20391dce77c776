#pragma once
// CSettingDlg: the modal dialog in which the player sets the hotkeys (boss,
// window switch, sound, screenshot) by pressing them. Confirming writes the fields that
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

    // Each hotkey's field, its label and its example (FieldControlsOf).
    PerHotkey<CWnd> m_edit;
    PerHotkey<CStaticEx> m_lblField;
    PerHotkey<CStaticEx> m_lblExample;
    CBtnEx m_btnOK;                 // 1
    CBtnEx m_btnCancel;             // 2
    // The main key last taken in each field (or loaded into it).
    PerHotkey<int32_t> m_rememberedKey{};

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    // The button images drawn for a new display scale.
    void OnScaleChanged() override;
    void OnOK() override;
    void OnCancel() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    std::optional<HotkeyId> FocusedField() const;
    // Shows `text` in the field with the caret after it, in view.
    void ShowInField(HotkeyId id, const std::wstring& text);

    HotkeySet m_loaded;             // what the file held when the dialog opened
    fw::BrushHandle m_groupBrush;      // behind the group boxes' captions
};
