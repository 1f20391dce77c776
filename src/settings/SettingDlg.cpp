#include "settings/SettingDlg.h"

#include <vector>

#include "base/WindowMessages.h"
#include "hotkey/HotkeyStore.h"
#include "hotkey/KeyState.h"
#include "resource.h"
#include "settings/HotkeyFieldControls.h"
#include "settings/SettingKeyCapture.h"
#include "settings/SettingSaveRules.h"
#include "ui/MessageBox.h"
#include "ui/SkinImage.h"

namespace {
constexpr COLORREF kGroupColour = RGB(231, 241, 247);

bool IsGroupBox(HWND control) {
    const unsigned id = static_cast<unsigned>(::GetDlgCtrlID(control));
    for (HotkeyId hotkey : kHotkeyIds)
        if (FieldControlsOf(hotkey).group == id) return true;
    return false;
}

KeyMessage KindOf(UINT msg) {
    if (msg == WM_KEYDOWN) return KeyMessage::KeyDown;
    if (msg == WM_SYSKEYDOWN) return KeyMessage::SysKeyDown;
    return KeyMessage::Other;
}

BOOL CALLBACK CollectInstanceWindow(HWND hwnd, LPARAM lp) {
    auto* found = reinterpret_cast<std::vector<HWND>*>(lp);
    wchar_t className[64] = {};
    wchar_t title[128] = {};
    ::GetClassNameW(hwnd, className, 64);
    ::GetWindowTextW(hwnd, title, 128);
    if (IsLauncherInstanceWindow(className, title)) found->push_back(hwnd);
    return found->size() < kMaxInstancesTold;
}

// Top-level windows come in z-order, topmost first.
void TellInstancesToReloadHotkeys() {
    std::vector<HWND> found;
    ::EnumWindows(&CollectInstanceWindow, reinterpret_cast<LPARAM>(&found));
    for (HWND wnd : found) ::PostMessageW(wnd, WM_HOTKEYS_CHANGED, 0, 0);
}
}  // namespace

CSettingDlg::CSettingDlg(CWnd* owner) : CDlgEx(IDD_SETTING, owner) {}

void CSettingDlg::DoDataExchange() {
    DDX_Control(IDOK, m_btnOK);
    DDX_Control(IDCANCEL, m_btnCancel);
    for (HotkeyId id : kHotkeyIds) {
        const HotkeyFieldControls controls = FieldControlsOf(id);
        DDX_Control(controls.label, m_lblField[id]);
        DDX_Control(controls.edit, m_edit[id]);
        DDX_Control(controls.example, m_lblExample[id]);
    }
}

BOOL CSettingDlg::OnInitDialog() {
    CDlgEx::OnInitDialog();
    SetStandardFrameMetrics();
    SetTitle(L"设置");
    SetSkin(SmallDialogSkin());
    OnScaleChanged();
    m_groupBrush.reset(::CreateSolidBrush(kGroupColour));

    m_loaded = LoadHotkeys();
    for (HotkeyId id : kHotkeyIds) {
        m_rememberedKey[id] = m_loaded[id].vk;
        m_edit[id].SetWindowText(FormatHotkey(m_loaded[id]));
    }
    return TRUE;
}

void CSettingDlg::OnScaleChanged() {
    fw::BitmapHandle strip = LoadSkinBitmap(IDB_PUSH_BUTTON, scale().dpi());
    m_btnOK.SetImage(strip.get(), true);
    m_btnCancel.SetImage(strip.get(), true);
}

std::optional<HotkeyId> CSettingDlg::FocusedField() const {
    const HWND focus = ::GetFocus();
    if (!focus) return std::nullopt;
    for (HotkeyId id : kHotkeyIds)
        if (focus == m_edit[id].m_hWnd) return id;
    return std::nullopt;
}

void CSettingDlg::ShowInField(HotkeyId id, const std::wstring& text) {
    CWnd& edit = m_edit[id];
    edit.SetWindowText(text);
    edit.SendMessage(EM_SETSEL, static_cast<WPARAM>(text.size()), -1);
    edit.SendMessage(EM_SCROLLCARET);
}

BOOL CSettingDlg::PreTranslateMessage(MSG* msg) {
    const KeyMessage kind = KindOf(msg->message);
    if (kind != KeyMessage::Other) {
        const std::optional<HotkeyId> field = FocusedField();
        const KeyCapture capture =
            CaptureKey(kind, static_cast<int32_t>(msg->wParam), CurrentModifierState(), field);
        if (field && capture.rememberedVk) m_rememberedKey[*field] = *capture.rememberedVk;
        if (field && capture.text) ShowInField(*field, *capture.text);
        if (capture.swallowed) return TRUE;
    }
    return CDlgEx::PreTranslateMessage(msg);
}

void CSettingDlg::OnOK() {
    HotkeyFields fields;
    for (HotkeyId id : kHotkeyIds) {
        HotkeyField& field = fields[id];
        field.text = m_edit[id].GetWindowText();
        field.rememberedVk = m_rememberedKey[id];
        field.loaded = m_loaded[id];
    }
    if (HotkeysConflict(fields)) {
        ShowMessageBox(kBoxOk, L"热键冲突，请重新设置不同热键值", m_hWnd);
        return;
    }
    for (const HotkeyWrite& write : HotkeyWrites(fields)) SaveHotkeyText(write.id, write.storedText);
    TellInstancesToReloadHotkeys();
    EndDialog(IDOK);
}

void CSettingDlg::OnCancel() { EndDialog(IDCANCEL); }

LRESULT CSettingDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // Group box captions get a pale blue band of their own; the labels
        // inside the boxes stay on the dialog's skin.
        const HWND control = reinterpret_cast<HWND>(lp);
        if (!IsGroupBox(control) || ::GetParent(control) != m_hWnd) break;
        const HDC dc = reinterpret_cast<HDC>(wp);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB(0, 0, 0));
        return reinterpret_cast<LRESULT>(m_groupBrush.get());
    }
    default:
        break;
    }
    return CDlgEx::WindowProc(msg, wp, lp);
}
