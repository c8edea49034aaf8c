// Widths of the 96 glyphs of the 10-pixel font, character codes 32 to 127. The font image packs
// them side by side with no gaps, so the game and the art generator must agree on every width.
#pragma once
#include <cstdint>

constexpr int32_t GLYPH_COUNT = 96;
constexpr int32_t FONT_HEIGHT = 10;

// clang-format off
constexpr int32_t glyphWidth[GLYPH_COUNT] = {
//  +0  +1  +2  +3  +4  +5  +6  +7  +8  +9 +10 +11 +12 +13 +14 +15
     4,  4,  6,  9,  8, 12,  9,  3,  5,  6,  7,  8,  4,  5,  4,  6,  //  32: space ! " # $ % & ' ( ) * + , - . /
     7,  7,  7,  7,  8,  7,  7,  7,  7,  7,  4,  4,  9,  9,  8,  7,  //  48: 0-9 : ; < = > ?
     9,  8,  7,  8,  8,  7,  7,  8,  8,  6,  6,  7,  7,  9,  8,  9,  //  64: @ A-O
     7,  9,  8,  7,  7,  7,  9, 11,  7,  8,  7,  5,  7,  6,  8,  8,  //  80: P-Z [ \ ] ^ _
     6,  7,  7,  6,  7,  6,  5,  7,  6,  4,  4,  7,  3, 11,  7,  7,  //  96: ` a-o
     7,  7,  5,  6,  4,  7,  7, 10,  6,  7,  6,  7,  5,  7, 10,  4,  // 112: p-z { | } ~ DEL
};
// clang-format on

// Total width of the font image.
constexpr int32_t fontImageWidth()
{
    int32_t total = 0;
    for (int32_t w : glyphWidth) total += w;
    return total;
}
static_assert(fontImageWidth() == 660);
