#pragma once
// The scripted engine's child window: it paints through an off-screen image,
// turns the real mouse and the test commands into calls on its handler, and
// carries the results posted to it back onto the engine's thread.
#include <windows.h>

#include <string>

#include "framework/Wnd.h"

namespace scripted {

// The engine window's own messages, posted to itself (from its fetch threads
// too); they never cross processes.
constexpr UINT WM_ENGINE_FETCH_DONE = WM_APP + 0x51;  // wParam the load's serial
constexpr UINT WM_ENGINE_ONLOAD_DUE = WM_APP + 0x52;  // wParam the page's serial
constexpr UINT WM_ENGINE_FAULT_DUE = WM_APP + 0x53;   // make the asked-for access violation
constexpr UINT WM_ENGINE_IMAGE_DONE = WM_APP + 0x54;  // wParam the image fetch's serial

enum class PointerInput { Move, LeftDown, LeftUp, RightUp, Leave };

class EngineWindowHandler {
public:
    virtual ~EngineWindowHandler() = default;
    virtual void PaintPage(HDC dc, const RECT& client) = 0;
    virtual void Pointer(PointerInput input, POINT point) = 0;
    virtual bool RunTestCommand(const std::wstring& text) = 0;
    virtual void FetchDone(WPARAM serial) = 0;
    virtual void OnloadDue(WPARAM serial) = 0;
    virtual void ImageDone(WPARAM serial) = 0;
    virtual void Resized(int width, int height) = 0;
};

class EngineWindow : public CWnd {
public:
    explicit EngineWindow(EngineWindowHandler& handler) : m_handler(handler) {}
    // A child of `parent` of class kScriptedEngineClass covering `area`.
    bool Create(HWND parent, const RECT& area);
    // Writes the client area as Paint draws it into a BMP file at `path`.
    bool SavePicture(const std::wstring& path);
    // An access violation once the current message is over (see the "fault"
    // test command).
    void FaultSoon();
    // As the platform's control once UI-active: the page takes keys from
    // now on, and the window has the focus. A press on the page does the
    // same; until either, the page takes no key even with the focus.
    void TakeKeys();
    bool TakesKeys() const { return m_takesKeys; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Paint();
    void TrackLeave();

    EngineWindowHandler& m_handler;
    bool m_tracking = false;  // a WM_MOUSELEAVE is asked for
    bool m_takesKeys = false;
};

}  // namespace scripted
