#include "settings/SettingDlg.h"

#include <vector>

#include "base/WindowMessages.h"
#include "hotkey/HotkeyStore.h"
#include "hotkey/KeyState.h"
#include "resource.h"
#include "settings/SettingKeyCapture.h"
#include "settings/SettingSaveRules.h"
#include "ui/MessageBox.h"
#include "ui/SkinImage.h"

namespace {
constexpr COLORREF kGroupColour = RGB(231, 241, 247);

size_t IndexOf(HotkeyId id) { return static_cast<size_t>(id); }

bool IsGroupBox(HWND control) {
    const int id = ::GetDlgCtrlID(control);
    return id == IDC_SET_BOSS_GROUP || id == IDC_SET_SWITCH_GROUP || id == IDC_SET_SOUND_GROUP;
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
    DDX_Control(IDC_SET_BOSS_LABEL, m_lblBoss);
    DDX_Control(IDC_SET_BOSS_EDIT, m_editBoss);
    DDX_Control(IDC_SET_BOSS_EXAMPLE, m_lblBossExample);
    DDX_Control(IDC_SET_SWITCH_LABEL, m_lblSwitch);
    DDX_Control(IDC_SET_SWITCH_EDIT, m_editSwitch);
    DDX_Control(IDC_SET_SWITCH_EXAMPLE, m_lblSwitchExample);
    DDX_Control(IDC_SET_SOUND_LABEL, m_lblSound);
    DDX_Control(IDC_SET_SOUND_EDIT, m_editSound);
    DDX_Control(IDC_SET_SOUND_EXAMPLE, m_lblSoundExample);
}

BOOL CSettingDlg::OnInitDialog() {
    CDlgEx::OnInitDialog();
    SetFrameMetrics(30, 4, 0, 0, 0);
    SetTitle(L"设置");
    SetSkin(SmallDialogSkin());
    fw::BitmapHandle strip = LoadSkinBitmap(IDB_PUSH_BUTTON);
    m_btnOK.SetImage(strip.get(), true);
    m_btnCancel.SetImage(strip.get(), true);
    m_brGroup.reset(::CreateSolidBrush(kGroupColour));

    for (HotkeyId id : kHotkeyFieldOrder) {
        m_loaded[IndexOf(id)] = LoadHotkey(id);
        m_nRememberedVk[IndexOf(id)] = m_loaded[IndexOf(id)].vk;
        Edit(id).SetWindowText(FormatHotkey(m_loaded[IndexOf(id)]));
    }
    return TRUE;
}

CWnd& CSettingDlg::Edit(HotkeyId id) {
    switch (id) {
    case HotkeyId::Switch: return m_editSwitch;
    case HotkeyId::Sound: return m_editSound;
    case HotkeyId::Boss: break;
    }
    return m_editBoss;
}

std::optional<HotkeyId> CSettingDlg::FocusedField() const {
    const HWND focus = ::GetFocus();
    if (!focus) return std::nullopt;
    if (focus == m_editBoss.m_hWnd) return HotkeyId::Boss;
    if (focus == m_editSwitch.m_hWnd) return HotkeyId::Switch;
    if (focus == m_editSound.m_hWnd) return HotkeyId::Sound;
    return std::nullopt;
}

void CSettingDlg::ShowInField(HotkeyId id, const std::wstring& text) {
    CWnd& edit = Edit(id);
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
        if (field && capture.rememberedVk) m_nRememberedVk[IndexOf(*field)] = *capture.rememberedVk;
        if (field && capture.text) ShowInField(*field, *capture.text);
        if (capture.swallowed) return TRUE;
    }
    return CDlgEx::PreTranslateMessage(msg);
}

void CSettingDlg::OnOK() {
    HotkeyFields fields;
    for (HotkeyId id : kHotkeyFieldOrder) {
        HotkeyField& field = fields[IndexOf(id)];
        field.text = Edit(id).GetWindowText();
        field.rememberedVk = m_nRememberedVk[IndexOf(id)];
        field.loaded = m_loaded[IndexOf(id)];
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
        return reinterpret_cast<LRESULT>(m_brGroup.get());
    }
    default:
        break;
    }
    return CDlgEx::WindowProc(msg, wp, lp);
}
