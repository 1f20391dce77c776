#pragma once
// Numbers nobody can guess beforehand, for names the launcher makes where
// others could make names first.
#include <cstdint>

// A number from the system's random generator; false when it gave none.
bool RandomNumber(uint32_t* number);
