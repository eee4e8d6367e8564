#include "DXTC.h"

#include <cstring>

namespace {

struct TBGRA {
    Byte b, g, r, a;
};

Word Read16(const Byte* p) { return Word(p[0] | (p[1] << 8)); }
Cardinal Read32(const Byte* p) {
    return Cardinal(p[0]) | Cardinal(p[1]) << 8 | Cardinal(p[2]) << 16 | Cardinal(p[3]) << 24;
}

TBGRA Expand(Word c) {
    TBGRA result{};
    Unpack565(c, result.r, result.g, result.b);
    result.a = 255;
    return result;
}

TBGRA Mix(const TBGRA& x, int wx, const TBGRA& y, int wy, int bias, int divisor) {
    return TBGRA{Byte((wx * x.b + wy * y.b + bias) / divisor), Byte((wx * x.g + wy * y.g + bias) / divisor),
                 Byte((wx * x.r + wy * y.r + bias) / divisor), 255};
}

// The four colours of a block's colour part; threeColor allows the DXT1 mode with transparent
// black at index 3. Returns whether that mode was used.
bool BlockColors(const Byte* block, bool threeColor, TBGRA colors[4]) {
    const Word c0 = Read16(block), c1 = Read16(block + 2);
    colors[0] = Expand(c0);
    colors[1] = Expand(c1);
    if (!threeColor || c0 > c1) {
        colors[2] = Mix(colors[0], 2, colors[1], 1, 1, 3);
        colors[3] = Mix(colors[0], 1, colors[1], 2, 1, 3);
        return false;
    }
    colors[2] = Mix(colors[0], 1, colors[1], 1, 0, 2);
    colors[3] = TBGRA{0, 0, 0, 0};
    return true;
}

// Walks the blocks in file order and hands each to decode with its 16 output pixels (null for
// pixels outside the image).
template <class F>
void ForEachBlock(const Byte* data, size_t dataSize, Byte* output, Integer width, Integer height, size_t blockSize,
                  F decode) {
    if (!data || !output || width <= 0 || height <= 0) return;
    const Integer across = (width + 3) / 4, down = (height + 3) / 4;
    size_t offset = 0;
    for (Integer by = 0; by < down; ++by)
        for (Integer bx = 0; bx < across; ++bx) {
            if (dataSize - offset < blockSize) return;  // offset never passes dataSize
            TBGRA* pixels[16];
            for (int k = 0; k < 16; ++k) {
                const Integer x = bx * 4 + k % 4, y = by * 4 + k / 4;
                pixels[k] =
                    x < width && y < height ? reinterpret_cast<TBGRA*>(output + (size_t(y) * width + x) * 4) : nullptr;
            }
            decode(data + offset, pixels);
            offset += blockSize;
        }
}

void PutColors(const Byte* colorPart, bool threeColor, TBGRA* pixels[16], bool& usedThree) {
    TBGRA colors[4];
    if (BlockColors(colorPart, threeColor, colors)) usedThree = true;
    const Cardinal indices = Read32(colorPart + 4);
    for (int k = 0; k < 16; ++k)
        if (pixels[k]) *pixels[k] = colors[(indices >> (2 * k)) & 3];
}

}  // namespace

void Unpack565(Word color, Byte& r, Byte& g, Byte& b) {
    b = Byte((color & 0x1F) * 8);
    g = Byte(((color >> 5) & 0x3F) * 4);
    r = Byte(((color >> 11) & 0x1F) * 8);
}

Int64 DXTDataSize(Integer width, Integer height, Integer blockSize) {
    if (width <= 0 || height <= 0) return 0;
    return Int64((width + 3) / 4) * ((height + 3) / 4) * blockSize;
}

bool DecodeDXT1(const Byte* data, size_t dataSize, Byte* output, Integer width, Integer height) {
    bool usedThree = false;
    ForEachBlock(data, dataSize, output, width, height, 8,
                 [&](const Byte* block, TBGRA* pixels[16]) { PutColors(block, true, pixels, usedThree); });
    return usedThree;
}

void DecodeDXT3(const Byte* data, size_t dataSize, Byte* output, Integer width, Integer height) {
    ForEachBlock(data, dataSize, output, width, height, 16, [](const Byte* block, TBGRA* pixels[16]) {
        bool unused = false;
        PutColors(block + 8, false, pixels, unused);
        for (int k = 0; k < 16; ++k) {
            if (!pixels[k]) continue;
            const Word row = Read16(block + 2 * (k / 4));
            pixels[k]->a = Byte(((row >> (4 * (k % 4))) & 15) * 17);
        }
    });
}

void DecodeDXT5(const Byte* data, size_t dataSize, Byte* output, Integer width, Integer height) {
    ForEachBlock(data, dataSize, output, width, height, 16, [](const Byte* block, TBGRA* pixels[16]) {
        bool unused = false;
        PutColors(block + 8, false, pixels, unused);
        const int a0 = block[0], a1 = block[1];
        Byte table[8] = {Byte(a0), Byte(a1)};
        if (a0 > a1) {
            for (int i = 1; i <= 6; ++i) table[i + 1] = Byte(((7 - i) * a0 + i * a1 + 3) / 7);
        } else {
            for (int i = 1; i <= 4; ++i) table[i + 1] = Byte(((5 - i) * a0 + i * a1 + 2) / 5);
            table[6] = 0;
            table[7] = 255;
        }
        // Two groups of 24 bits, each holding the 3-bit indices of two rows.
        for (int group = 0; group < 2; ++group) {
            const Byte* p = block + 2 + 3 * group;
            const Cardinal bits = Cardinal(p[0]) | Cardinal(p[1]) << 8 | Cardinal(p[2]) << 16;
            for (int i = 0; i < 8; ++i) {
                TBGRA* pixel = pixels[group * 8 + i];
                if (pixel) pixel->a = table[(bits >> (3 * i)) & 7];
            }
        }
    });
}
