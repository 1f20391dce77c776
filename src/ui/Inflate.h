#pragma once
// A raw DEFLATE stream unpacked into a buffer of known size, for the skin
// images the build packs: no picture codec is needed at run time.
#include <cstddef>
#include <cstdint>

// Unpacks the DEFLATE stream in[0..inSize) into out[0..outSize). True only
// when the stream is well formed, ends within its bytes and fills out
// exactly; it never reads or writes outside the two buffers, whatever the
// input.
bool Inflate(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize);
