#include "framework/Handles.h"

#include <objbase.h>
#include <ole2.h>
#include <gdiplus.h>

namespace fw {

ComSession::ComSession() { m_ok = SUCCEEDED(::CoInitialize(nullptr)); }
ComSession::~ComSession() {
    if (m_ok) ::CoUninitialize();
}

OleSession::OleSession() { m_ok = SUCCEEDED(::OleInitialize(nullptr)); }
OleSession::~OleSession() {
    if (m_ok) ::OleUninitialize();
}

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    m_ok = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
}
GdiplusSession::~GdiplusSession() {
    if (m_ok) Gdiplus::GdiplusShutdown(m_token);
}

}  // namespace fw
