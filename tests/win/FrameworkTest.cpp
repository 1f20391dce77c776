// The framework's own promises: objects tied to windows, the modal loop and
// its pre-translation walk, message reflection, and owners of handles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "resource.h"
#include "WinTestSupport.h"

namespace {

using Log = std::vector<std::string>;

class ProbeButton : public CButton {
public:
    explicit ProbeButton(Log& log) : m_log(log) {}
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1) m_log.push_back("button");
        return FALSE;
    }
    Log& m_log;
};

class ProbeLink : public CStatic {
public:
    bool OnChildNotify(UINT msg, WPARAM, LPARAM, LRESULT* result) override {
        if (msg != WM_CTLCOLORSTATIC) return false;
        ++reflected;
        *result = reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH));
        return true;
    }
    int reflected = 0;
};

class ProbeDialog : public CDialog {
public:
    explicit ProbeDialog(CWnd* parent = nullptr) : CDialog(IDD_PLEXOR3_DIALOG, parent), m_button(m_log) {}

    Log m_log;
    ProbeButton m_button;
    ProbeLink m_link;
    bool m_ownerDisabledWhileModal = false;
    bool m_quitDuringInit = false;
    LRESULT m_reflectedBrush = 0;

protected:
    void DoDataExchange() override {
        DDX_Control(IDC_BTN_MENU, m_button);
        DDX_Control(IDC_LNK_ADDACC, m_link);
    }
    BOOL OnInitDialog() override {
        m_log.push_back("init");
        if (m_quitDuringInit) {
            ::PostQuitMessage(7);
            return TRUE;
        }
        ::PostMessageW(m_button.m_hWnd, WM_KEYDOWN, VK_F1, 1);
        SetTimer(1, 30);
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1) {
            m_log.push_back("dialog");
            return TRUE;  // handled: never reaches the button's procedure
        }
        return CDialog::PreTranslateMessage(msg);
    }
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_TIMER && wp == 1) {
            KillTimer(1);
            if (m_pParentWnd) m_ownerDisabledWhileModal = !::IsWindowEnabled(m_pParentWnd->m_hWnd);
            fw::WindowDc dc(m_hWnd);
            m_reflectedBrush = SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                                           reinterpret_cast<LPARAM>(m_link.m_hWnd));
            EndDialog(42);
            return 0;
        }
        return CDialog::WindowProc(msg, wp, lp);
    }
};

}  // namespace

TEST(Framework, ModalLoopWalksPreTranslateFromTheTargetUpToTheDialog) {
    ProbeDialog dlg;
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_EQ(dlg.m_log, (Log{"init", "button", "dialog"}));
    EXPECT_EQ(dlg.m_hWnd, nullptr) << "DoModal destroys its window";
    EXPECT_EQ(dlg.m_button.m_hWnd, nullptr) << "controls are let go with their dialog";
}

TEST(Framework, ParentMessagesAreReflectedToTheControlObject) {
    ProbeDialog dlg;
    dlg.DoModal();
    EXPECT_GE(dlg.m_link.reflected, 1);
    EXPECT_EQ(dlg.m_reflectedBrush, reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH)));
}

TEST(Framework, ModalDialogDisablesItsOwnerOnlyWhileItRuns) {
    ProbeDialog owner;
    ASSERT_TRUE(owner.Create(IDD_PLEXOR3_DIALOG));
    ProbeDialog dlg(&owner);
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_TRUE(dlg.m_ownerDisabledWhileModal);
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd));
}

TEST(Framework, QuitInsideAModalLoopEndsItAndReachesTheOuterLoop) {
    ProbeDialog dlg;
    dlg.m_quitDuringInit = true;
    EXPECT_EQ(dlg.DoModal(), -1);
    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(Framework, ObjectsLetGoOfWindowsTheyDidNotCreate) {
    ProbeDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_PLEXOR3_DIALOG));
    HWND item = ::GetDlgItem(dlg.m_hWnd, IDC_BTN_HIDE);
    LONG_PTR original = ::GetWindowLongPtrW(item, GWLP_WNDPROC);
    {
        CButton probe;
        ASSERT_TRUE(probe.SubclassWindow(item));
        EXPECT_EQ(CWnd::FromHandlePermanent(item), &probe);
        EXPECT_NE(::GetWindowLongPtrW(item, GWLP_WNDPROC), original);
        CButton second;
        EXPECT_FALSE(second.SubclassWindow(item)) << "one object per window";
    }
    EXPECT_TRUE(::IsWindow(item));
    EXPECT_EQ(CWnd::FromHandlePermanent(item), nullptr);
    EXPECT_EQ(::GetWindowLongPtrW(item, GWLP_WNDPROC), original);
}

TEST(Framework, OwnersFreeTheirHandles) {
    HANDLE raw = nullptr;
    {
        fw::KernelHandle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        raw = event.get();
        DWORD flags = 0;
        EXPECT_TRUE(::GetHandleInformation(raw, &flags));
        fw::KernelHandle moved(std::move(event));
        EXPECT_FALSE(event);
        EXPECT_EQ(moved.get(), raw);
    }
    DWORD flags = 0;
    EXPECT_FALSE(::GetHandleInformation(raw, &flags)) << "closed with its owner";

    HGDIOBJ brush = nullptr;
    {
        fw::BrushHandle owned(::CreateSolidBrush(RGB(1, 2, 3)));
        brush = owned.get();
        EXPECT_EQ(::GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(::GetObjectType(brush), 0u) << "deleted with its owner";
}

TEST(Harness, RunsWithThePlayersCodePage) {
    // Conversions at the edges (downloads, scripts, shortcuts) assume 936.
    EXPECT_EQ(::GetACP(), 936u);
}
