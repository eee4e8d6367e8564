#pragma once
// Decoders of the DXT1, DXT3 and DXT5 block-compressed formats into 32-bit pixels (bytes B, G,
// R, A; rows top-down, stride width * 4). Blocks of 4 x 4 pixels run in rows from the top, each
// row from the left; pixels of edge blocks that fall outside the image are skipped. Decoding
// stops when the block data runs out; pixels not reached are left as they were.

#include <cstddef>

#include "SysTypes.h"

// Expands a 5:6:5 colour without bit replication: B = b * 8, G = g * 4, R = r * 8.
void Unpack565(Word color, Byte& r, Byte& g, Byte& b);

// Returns whether any block used the three-colour mode (and so holds transparent pixels).
bool DecodeDXT1(const Byte* data, size_t dataSize, Byte* output, Integer width, Integer height);
void DecodeDXT3(const Byte* data, size_t dataSize, Byte* output, Integer width, Integer height);
void DecodeDXT5(const Byte* data, size_t dataSize, Byte* output, Integer width, Integer height);

// The number of bytes the blocks of a width x height image take; blockSize is 8 for DXT1 and
// 16 for DXT3 and DXT5.
Int64 DXTDataSize(Integer width, Integer height, Integer blockSize);
