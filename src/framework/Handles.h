#pragma once
// RAII owners for everything the launcher holds: kernel objects, files, GDI
// objects, device contexts, registry keys, hooks, menus, image lists, mixers,
// Internet handles, local and virtual memory, COM interfaces, and the COM,
// OLE and GDI+ sessions of a thread.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <utility>

#include "framework/InternetFunctions.h"
#include "framework/MixerFunctions.h"

namespace fw {

// One owner template; Traits says what "empty" is and how to free.
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle h) noexcept : m_h(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_h(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return m_h; }
    explicit operator bool() const noexcept { return !Traits::IsEmpty(m_h); }
    Handle release() noexcept { return std::exchange(m_h, Traits::Empty()); }
    void reset(Handle h = Traits::Empty()) noexcept {
        Handle old = std::exchange(m_h, h);
        if (!Traits::IsEmpty(old)) Traits::Free(old);
    }

private:
    Handle m_h = Traits::Empty();
};

// Handles whose empty value is null and that one function frees.
template <class T, auto FreeFn>
struct NullTraits {
    using Handle = T;
    static Handle Empty() { return nullptr; }
    static bool IsEmpty(Handle h) { return h == nullptr; }
    static void Free(Handle h) { FreeFn(h); }
};

// Events, processes, threads: some calls fail with INVALID_HANDLE_VALUE.
struct KernelTraits : NullTraits<HANDLE, &::CloseHandle> {
    static bool IsEmpty(Handle h) { return h == nullptr || h == INVALID_HANDLE_VALUE; }
};
struct FileTraits : KernelTraits {  // CreateFile's failure value is INVALID_HANDLE_VALUE
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
};
struct FindFileTraits : NullTraits<HANDLE, &::FindClose> {  // FindFirstFileW fails with INVALID_HANDLE_VALUE
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsEmpty(Handle h) { return h == nullptr || h == INVALID_HANDLE_VALUE; }
};
template <class T>
using GdiTraits = NullTraits<T, &::DeleteObject>;

using KernelHandle = UniqueHandle<KernelTraits>;
using FileHandle = UniqueHandle<FileTraits>;
using FindFileHandle = UniqueHandle<FindFileTraits>;
using BitmapHandle = UniqueHandle<GdiTraits<HBITMAP>>;
using FontHandle = UniqueHandle<GdiTraits<HFONT>>;
using BrushHandle = UniqueHandle<GdiTraits<HBRUSH>>;
using PenHandle = UniqueHandle<GdiTraits<HPEN>>;
using RegionHandle = UniqueHandle<GdiTraits<HRGN>>;
using MemoryDc = UniqueHandle<NullTraits<HDC, &::DeleteDC>>;
using RegKey = UniqueHandle<NullTraits<HKEY, &::RegCloseKey>>;
using HookHandle = UniqueHandle<NullTraits<HHOOK, &::UnhookWindowsHookEx>>;
using IconHandle = UniqueHandle<NullTraits<HICON, &::DestroyIcon>>;
using ModuleHandle = UniqueHandle<NullTraits<HMODULE, &::FreeLibrary>>;
using MenuHandle = UniqueHandle<NullTraits<HMENU, &::DestroyMenu>>;
using ImageListHandle = UniqueHandle<NullTraits<HIMAGELIST, &::ImageList_Destroy>>;
// Mixers and WinINet handles close through the functions the process found
// at run time (MixerFunctions.h, InternetFunctions.h).
using MixerHandle = UniqueHandle<NullTraits<HMIXER, &CloseMixer>>;
// Sessions, connections and requests of WinINet. Only the thread that uses
// one closes it: closing a handle that a call is using is not safe.
using InternetHandle = UniqueHandle<NullTraits<HINTERNET, &CloseInternetHandle>>;
using UrlCacheFind = UniqueHandle<NullTraits<HANDLE, &CloseUrlCacheFind>>;
// What the system allocated for the caller to free with LocalFree.
using LocalMemory = UniqueHandle<NullTraits<HLOCAL, &::LocalFree>>;

// Memory reserved with VirtualAlloc, released whole.
struct VirtualMemoryTraits {
    using Handle = void*;
    static Handle Empty() { return nullptr; }
    static bool IsEmpty(Handle p) { return p == nullptr; }
    static void Free(Handle p) { ::VirtualFree(p, 0, MEM_RELEASE); }
};
using VirtualMemory = UniqueHandle<VirtualMemoryTraits>;

// A C runtime file.
struct StdioFileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using StdioFile = std::unique_ptr<FILE, StdioFileCloser>;

// A library session of the calling thread or process: its constructor
// starts it, its destructor ends it when it started.
class LibrarySession {
public:
    LibrarySession(const LibrarySession&) = delete;
    LibrarySession& operator=(const LibrarySession&) = delete;
    bool ok() const { return m_ok; }

protected:
    LibrarySession() = default;
    ~LibrarySession() = default;
    bool m_ok = false;
};

// COM for the calling thread (single-threaded apartment).
class ComSession : public LibrarySession {
public:
    ComSession();
    ~ComSession();
};

// OLE for the calling thread (what the browser control needs).
class OleSession : public LibrarySession {
public:
    OleSession();
    ~OleSession();
};

class GdiplusSession : public LibrarySession {
public:
    GdiplusSession();
    ~GdiplusSession();

private:
    ULONG_PTR m_token = 0;
};

// A window's DC from GetDC, released on scope exit.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : m_hwnd(hwnd), m_dc(::GetDC(hwnd)) {}
    ~WindowDc() { if (m_dc) ::ReleaseDC(m_hwnd, m_dc); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return m_dc; }
private:
    HWND m_hwnd;
    HDC m_dc;
};

// BeginPaint/EndPaint pair.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : m_hwnd(hwnd) { m_dc = ::BeginPaint(hwnd, &m_ps); }
    ~PaintDc() { ::EndPaint(m_hwnd, &m_ps); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return m_dc; }
    const PAINTSTRUCT& info() const { return m_ps; }
private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
    HDC m_dc = nullptr;
};

// Selects a GDI object into a DC and puts the previous one back on scope exit,
// so an owned object is never deleted while still selected.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(obj ? ::SelectObject(dc, obj) : nullptr) {}
    ~SelectScope() { if (m_old) ::SelectObject(m_dc, m_old); }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;
private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// Owning pointer to a COM interface.
template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(const ComPtr& o) noexcept : m_p(o.m_p) { if (m_p) m_p->AddRef(); }
    ComPtr(ComPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept { std::swap(m_p, o.m_p); return *this; }
    ~ComPtr() { if (m_p) m_p->Release(); }

    T* get() const noexcept { return m_p; }
    T* operator->() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }
    // For out-parameters: releases what is held and hands out the slot.
    T** put() noexcept { reset(); return &m_p; }
    void reset() noexcept { if (m_p) std::exchange(m_p, nullptr)->Release(); }
    // Takes over a reference the caller already owns.
    void attach(T* p) noexcept { reset(); m_p = p; }

private:
    T* m_p = nullptr;
};

}  // namespace fw
