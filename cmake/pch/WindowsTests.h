// Precompiled for the Windows-side tests: the system headers and GoogleTest.
#pragma once
#include "Windows.h"

#include <gtest/gtest.h>
