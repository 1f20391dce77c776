#include "mainwnd/PageSenders.h"

#include <cwchar>
#include <string>

#include "base/BuildConfig.h"
#include "base/ProgramPaths.h"
#include "base/WindowMessages.h"
#include "framework/Handles.h"
#include "mainwnd/MessageFilter.h"

namespace {
const UINT kFromPages[] = {
    WM_PAGE_ATTACH, WM_COPYDATA,  WM_SYSCOMMAND,        WM_KEYDOWN,
    WM_KEYUP,       WM_SYSKEYDOWN, WM_SYSKEYUP, WM_PAGE_ZOOM_REQUEST,
};
}  // namespace

void AllowMessagesFromPages(HWND mainWindow) {
    for (UINT message : kFromPages) LetMessageThrough(mainWindow, message);
}

bool RunsThisExecutable(uint32_t processId) {
    const fw::KernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    wchar_t image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!process || !::QueryFullProcessImageNameW(process.get(), 0, image, &size)) return false;
    const std::wstring own = GetExePath();
    return ::CompareStringOrdinal(image, static_cast<int>(size), own.c_str(), static_cast<int>(own.size()), TRUE) ==
           CSTR_EQUAL;
}

uint32_t TestStandInProcess() {
    if (!buildcfg::kScripted) return 0;
    wchar_t text[16] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"ZUVA_TEST_STAND_IN_PAGES", text, 16);
    return length > 0 && length < 16 ? static_cast<uint32_t>(std::wcstoul(text, nullptr, 10)) : 0;
}
