// Precompiled for the Windows-side test helpers: <windows.h> and the
// library headers nearly all of them include.
#pragma once
#include <windows.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>
