#include "engine/scripted/EngineWindow.h"

#include <windowsx.h>

#include "engine/ScriptedCommands.h"
#include "engine/scripted/BitmapFile.h"
#include "engine/scripted/TestCommandText.h"
#include "framework/Handles.h"
#include "ui/Offscreen.h"

namespace scripted {

namespace {

bool RegisterEngineClass() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (::GetClassInfoExW(instance, kScriptedEngineClass, &wc)) return true;
    wc.lpfnWndProc = ::DefWindowProcW;  // CWnd routes the messages once created
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kScriptedEngineClass;
    return ::RegisterClassExW(&wc) != 0;
}

POINT PointOf(LPARAM lp) { return POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; }

void AccessViolation() {
    // Read at run time, so the compiler cannot see a null store and put a
    // trap of its own in its place.
    volatile uintptr_t address = 0;
    *reinterpret_cast<volatile int*>(address) = 1;
}

}  // namespace

bool EngineWindow::Create(HWND parent, const RECT& area) {
    return RegisterEngineClass() &&
           CreateEx(0, kScriptedEngineClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, area, parent, 0);
}

void EngineWindow::Paint() {
    fw::PaintDc dc(m_hWnd);
    const RECT client = GetClientRect();
    OffscreenImage image(dc.get(), client.right, client.bottom);
    if (!image.ok()) return;
    m_handler.PaintPage(image.dc(), client);
    image.CopyTo(dc.get());
}

bool EngineWindow::SavePicture(const std::wstring& path) {
    const RECT client = GetClientRect();
    return WritePaintedBitmap(path, client.right, client.bottom, [&](HDC dc) { m_handler.PaintPage(dc, client); });
}

void EngineWindow::TakeKeys() {
    m_takesKeys = true;
    if (::GetFocus() != m_hWnd) ::SetFocus(m_hWnd);
}

void EngineWindow::FaultSoon() {
    // Not inside the sender's call: a fault in a message sent from another
    // process may be swallowed where the system delivers it. A posted one
    // reaches the top of the thread unhandled.
    PostMessage(WM_ENGINE_FAULT_DUE);
}

void EngineWindow::TrackLeave() {
    if (m_tracking) return;
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = m_hWnd;
    m_tracking = ::TrackMouseEvent(&tme) != FALSE;
}

LRESULT EngineWindow::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint covers every pixel
    case WM_SIZE:
        m_handler.Resized(LOWORD(lp), HIWORD(lp));
        Invalidate(FALSE);
        return 0;
    case WM_MOUSEMOVE:
        TrackLeave();
        m_handler.Pointer(PointerInput::Move, PointOf(lp));
        return 0;
    case WM_MOUSELEAVE:
        m_tracking = false;
        m_handler.Pointer(PointerInput::Leave, POINT{});
        return 0;
    case WM_LBUTTONDOWN:
        // A press on the page gives it the keyboard, as a browser's does.
        TakeKeys();
        m_handler.Pointer(PointerInput::LeftDown, PointOf(lp));
        return 0;
    case WM_LBUTTONUP:
        m_handler.Pointer(PointerInput::LeftUp, PointOf(lp));
        return 0;
    case WM_RBUTTONUP:
        // Not to DefWindowProc: its WM_CONTEXTMENU would climb to the host's
        // window. The page's context-menu event is the only menu request.
        m_handler.Pointer(PointerInput::RightUp, PointOf(lp));
        return 0;
    case WM_CONTEXTMENU:
        return 0;
    case WM_COPYDATA: {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        if (!data || data->dwData != COPYDATA_SCRIPTED_COMMAND) return 0;
        return m_handler.RunTestCommand(CommandTextFromPayload(data->lpData, data->cbData)) ? 1 : 0;
    }
    case WM_ENGINE_FETCH_DONE:
        m_handler.FetchDone(wp);
        return 0;
    case WM_ENGINE_ONLOAD_DUE:
        m_handler.OnloadDue(wp);
        return 0;
    case WM_ENGINE_IMAGE_DONE:
        m_handler.ImageDone(wp);
        return 0;
    case WM_ENGINE_FAULT_DUE:
        AccessViolation();
        return 0;
    default:
        return CWnd::WindowProc(msg, wp, lp);
    }
}

}  // namespace scripted
