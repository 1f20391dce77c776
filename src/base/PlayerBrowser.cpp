#include "base/PlayerBrowser.h"

#include <windows.h>
#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shellapi.h>

#include <memory>

#include "base/PathText.h"
#include "base/PlayerToken.h"
#include "base/ProgramPaths.h"
#include "framework/Handles.h"

namespace {
struct BstrFree {
    void operator()(wchar_t* s) const { ::SysFreeString(s); }
};
using OwnedBstr = std::unique_ptr<wchar_t, BstrFree>;

// The desktop's own shell, as its documented automation reaches it: the
// desktop folder view's Application object, living in the shell's process.
fw::ComPtr<IShellDispatch2> DesktopShell() {
    fw::ComPtr<IShellWindows> windows;
    if (FAILED(::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                  reinterpret_cast<void**>(windows.put()))))
        return {};
    VARIANT location{}, root{};
    location.vt = VT_I4;
    location.lVal = CSIDL_DESKTOP;
    root.vt = VT_EMPTY;
    LONG desktopWindow = 0;
    fw::ComPtr<IDispatch> found;
    if (windows->FindWindowSW(&location, &root, SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH, found.put()) != S_OK ||
        !found)
        return {};
    fw::ComPtr<IServiceProvider> services;
    fw::ComPtr<IShellBrowser> browser;
    fw::ComPtr<IShellView> view;
    fw::ComPtr<IDispatch> background;
    fw::ComPtr<IShellFolderViewDual> folderView;
    fw::ComPtr<IDispatch> application;
    fw::ComPtr<IShellDispatch2> shell;
    if (FAILED(found->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(services.put()))) ||
        FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser,
                                      reinterpret_cast<void**>(browser.put()))) ||
        FAILED(browser->QueryActiveShellView(view.put())) || !view ||
        FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, reinterpret_cast<void**>(background.put()))) ||
        FAILED(background->QueryInterface(IID_IShellFolderViewDual, reinterpret_cast<void**>(folderView.put()))) ||
        FAILED(folderView->get_Application(application.put())) || !application ||
        FAILED(application->QueryInterface(IID_IShellDispatch2, reinterpret_cast<void**>(shell.put()))))
        return {};
    return shell;
}

bool OpenThroughDesktopShell(const std::wstring& address, int showCommand) {
    const fw::ComSession com;
    const fw::ComPtr<IShellDispatch2> shell = DesktopShell();
    if (!shell) return false;
    const OwnedBstr file(::SysAllocString(address.c_str()));
    const OwnedBstr open(::SysAllocString(L"open"));
    if (!file || !open) return false;
    VARIANT none{}, operation{}, show{};
    none.vt = VT_EMPTY;
    operation.vt = VT_BSTR;
    operation.bstrVal = open.get();
    show.vt = VT_I4;
    show.lVal = showCommand;
    return SUCCEEDED(shell->ShellExecute(file.get(), none, none, operation, show));
}
}  // namespace

bool OpenInPlayersBrowser(const std::wstring& address, int showCommand) {
    if (!IsBrowserAddress(address)) return false;
    if (OpenThroughDesktopShell(address, showCommand)) return true;
    return static_cast<bool>(
        StartAsPlayer(CommandLineProgram(GetExePath()) + L" /open \"" + address + L"\"", 0, SW_SHOWNORMAL).process);
}

bool OpenFolderAsPlayer(const std::wstring& folder) {
    if (OpenThroughDesktopShell(folder, SW_SHOWNORMAL)) return true;
    // The shell may hand the folder to extensions of its own, which need COM.
    const fw::ComSession com;
    return reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, L"open", folder.c_str(), nullptr, nullptr,
                                                     SW_SHOWNORMAL)) > 32;
}

bool OpenInBrowserHere(const std::wstring& address) {
    if (!IsBrowserAddress(address)) return false;
    return reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr,
                                                     SW_SHOWNORMAL)) > 32;
}
