#include "base/PageProcess.h"

#include "base/BuildConfig.h"

HWND g_hOwnerWnd = nullptr;
int g_nOwnerPages = 0;
std::wstring g_strGameUrl = GameHallAddress();
std::wstring g_strPageUrl;
std::wstring g_strPageTitle;

std::wstring GameHallAddress() { return std::wstring(L"http://") + buildcfg::kServiceHost + L"/webgame.htm"; }

std::wstring LoginPageAddress() { return std::wstring(L"http://") + buildcfg::kMemberHost + L"/yxzuva/?ac=wd"; }
