#pragma once
// The framework's control classes. Our skinned controls derive from these.
#include "framework/Wnd.h"

class CButton : public CWnd {};
class CStatic : public CWnd {};
class CProgressCtrl : public CWnd {};
