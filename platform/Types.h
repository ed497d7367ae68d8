#pragma once
// Small value types shared by every subsystem.

#include <array>
#include <cstdint>

// An RGB colour as 0x00BBGGRR: red in the lowest byte, then green, then blue.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr std::uint8_t RedOf(TColor c) { return c & 0xFF; }
constexpr std::uint8_t GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr std::uint8_t BlueOf(TColor c) { return (c >> 16) & 0xFF; }
constexpr TColor RGBColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}

// One spectrum fetch: entries 0..511 are the magnitudes of a 1024-point FFT,
// entry 512 is always 0. Readers use entries 5 + i * BinStep.
constexpr int kFFTBlockSize = 513;
using TFFTBlock = std::array<float, kFFTBlockSize>;
