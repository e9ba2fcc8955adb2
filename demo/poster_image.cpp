#include "demo/poster_image.h"

#include <zlib.h>

#include <array>
#include <cstdint>

namespace demo {
namespace {

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1A\n";
constexpr std::uint8_t kBitDepth = 8;
constexpr std::uint8_t kTrueColour = 2;
constexpr std::uint8_t kNoFilter = 0;

// Digits 0-9 in a three-by-five font, one row of three bits a number, top row first.
constexpr std::array<std::array<std::uint8_t, 5>, 10> kDigitFont = {{
    {7, 5, 5, 5, 7},
    {2, 6, 2, 2, 7},
    {7, 1, 7, 4, 7},
    {7, 1, 7, 1, 7},
    {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7},
    {7, 4, 7, 5, 7},
    {7, 1, 1, 1, 1},
    {7, 5, 7, 5, 7},
    {7, 5, 7, 1, 7},
}};
constexpr int kDigitScale = 3;

void AppendBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void AppendChunk(std::string& out, std::string_view type, std::string_view data) {
  AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  std::string typed(type);
  typed += data;
  out += typed;
  const auto* bytes = reinterpret_cast<const Bytef*>(typed.data());
  AppendBigEndian(out,
                  static_cast<std::uint32_t>(crc32(0L, bytes, static_cast<uInt>(typed.size()))));
}

struct Colour {
  int r, g, b;
};

Colour Blend(Colour a, Colour b, int part, int whole) {
  return {a.r + (b.r - a.r) * part / whole, a.g + (b.g - a.g) * part / whole,
          a.b + (b.b - a.b) * part / whole};
}

Colour ColourFrom(std::uint32_t bits) {
  return {static_cast<int>(40 + bits % 200), static_cast<int>(40 + (bits >> 8) % 200),
          static_cast<int>(40 + (bits >> 16) % 200)};
}

class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    pixels_.resize(static_cast<std::size_t>(width * height * 3));
  }
  void Set(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const auto at = static_cast<std::size_t>((y * width_ + x) * 3);
    pixels_[at] = static_cast<char>(c.r);
    pixels_[at + 1] = static_cast<char>(c.g);
    pixels_[at + 2] = static_cast<char>(c.b);
  }
  void Fill(int left, int top, int width, int height, Colour c) {
    for (int y = top; y < top + height; ++y) {
      for (int x = left; x < left + width; ++x)
        Set(x, y, c);
    }
  }
  const std::string& Pixels() const { return pixels_; }

 private:
  int width_;
  int height_;
  std::string pixels_;
};

void DrawNumber(Canvas& canvas, int left, int top, const std::string& digits, Colour c) {
  for (char digit : digits) {
    const auto& glyph = kDigitFont[static_cast<std::size_t>(digit - '0')];
    for (int row = 0; row < 5; ++row) {
      for (int column = 0; column < 3; ++column) {
        if (glyph[static_cast<std::size_t>(row)] & (4 >> column)) {
          canvas.Fill(left + column * kDigitScale, top + row * kDigitScale, kDigitScale,
                      kDigitScale, c);
        }
      }
    }
    left += 4 * kDigitScale;
  }
}

}  // namespace

std::string EncodePng(int width, int height, std::string_view rgb) {
  if (width <= 0 || height <= 0) return {};
  const auto rowBytes = static_cast<std::size_t>(width) * 3;
  if (rgb.size() != rowBytes * static_cast<std::size_t>(height)) return {};
  std::string raw;
  raw.reserve(rgb.size() + static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    raw.push_back(static_cast<char>(kNoFilter));
    raw += rgb.substr(static_cast<std::size_t>(y) * rowBytes, rowBytes);
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    return {};
  }
  packed.resize(packedSize);

  std::string header;
  AppendBigEndian(header, static_cast<std::uint32_t>(width));
  AppendBigEndian(header, static_cast<std::uint32_t>(height));
  header += static_cast<char>(kBitDepth);
  header += static_cast<char>(kTrueColour);
  header += std::string(3, '\0');  // deflate, adaptive filtering, no interlace

  std::string png(kPngSignature);
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", packed);
  AppendChunk(png, "IEND", {});
  return png;
}

std::string PosterPng(int id) {
  std::uint32_t bits = static_cast<std::uint32_t>(id) * 2654435761u;
  bits ^= bits >> 13;
  const Colour top = ColourFrom(bits);
  const Colour bottom = ColourFrom(bits * 40503u + 0x9E37u);
  const Colour sun = ColourFrom(~bits);
  const Colour white = {250, 250, 245};

  Canvas canvas(kPosterWidth, kPosterHeight);
  for (int y = 0; y < kPosterHeight; ++y)
    canvas.Fill(0, y, kPosterWidth, 1, Blend(top, bottom, y, kPosterHeight));
  // A disc and a line of hills, placed by the id.
  const int cx = 20 + static_cast<int>(bits % 80);
  const int cy = 20 + static_cast<int>((bits >> 7) % 50);
  const int radius = 12 + static_cast<int>((bits >> 11) % 14);
  for (int y = cy - radius; y <= cy + radius; ++y) {
    for (int x = cx - radius; x <= cx + radius; ++x) {
      if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius) canvas.Set(x, y, sun);
    }
  }
  const int period = 20 + static_cast<int>((bits >> 17) % 30);
  for (int x = 0; x < kPosterWidth; ++x) {
    const int phase = x % period;
    const int rise = phase < period / 2 ? phase : period - phase;
    const int ridge = 92 - rise;
    canvas.Fill(x, ridge, 1, kPosterHeight - ridge, Blend(bottom, {20, 20, 20}, 1, 2));
  }
  canvas.Fill(0, 112, kPosterWidth, 30, {30, 30, 30});
  DrawNumber(canvas, 8, 120, std::to_string(id), white);
  return EncodePng(kPosterWidth, kPosterHeight, canvas.Pixels());
}

}  // namespace demo
