// Precompiled for the native unit tests: GoogleTest and the library headers
// nearly all of them include.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>
