// Reading the pixels of an 8-bit, non-interlaced RGB or RGBA PNG image (what
// rsvg-convert writes), for tests that look at rendered pictures.
#pragma once
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace png {

struct Image {
  int width = 0, height = 0, channels = 0;  // 3 (RGB) or 4 (RGBA)
  std::vector<uint8_t> pixels;             // rows top to bottom, channels per pixel
  std::string error;                       // empty when read
  const uint8_t* At(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * channels]; }
};

namespace detail {

inline uint32_t BigEndian(const std::string& s, size_t p) {
  return (uint32_t(uint8_t(s[p])) << 24) | (uint32_t(uint8_t(s[p + 1])) << 16) | (uint32_t(uint8_t(s[p + 2])) << 8) |
         uint32_t(uint8_t(s[p + 3]));
}

inline int Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = p > a ? p - a : a - p, pb = p > b ? p - b : b - p, pc = p > c ? p - c : c - p;
  return pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
}

}  // namespace detail

inline Image Decode(const std::string& file) {
  Image img;
  if (file.size() < 8 || file.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return img.error = "not a PNG file", img;
  std::string compressed;
  int depth = 0, colour = -1, interlace = 0;
  for (size_t p = 8; p + 12 <= file.size();) {
    const uint32_t length = detail::BigEndian(file, p);
    const std::string type = file.substr(p + 4, 4);
    if (p + 12 + length > file.size()) return img.error = "truncated chunk " + type, img;
    if (type == "IHDR") {
      img.width = static_cast<int>(detail::BigEndian(file, p + 8));
      img.height = static_cast<int>(detail::BigEndian(file, p + 12));
      depth = uint8_t(file[p + 16]);
      colour = uint8_t(file[p + 17]);
      interlace = uint8_t(file[p + 20]);
    } else if (type == "IDAT") {
      compressed += file.substr(p + 8, length);
    } else if (type == "IEND") {
      break;
    }
    p += 12 + length;
  }
  if (depth != 8 || (colour != 2 && colour != 6) || interlace != 0)
    return img.error = "only 8-bit non-interlaced RGB or RGBA images are read", img;
  img.channels = colour == 6 ? 4 : 3;
  const size_t stride = static_cast<size_t>(img.width) * img.channels;
  std::vector<uint8_t> raw((stride + 1) * img.height);
  uLongf rawSize = raw.size();
  if (uncompress(raw.data(), &rawSize, reinterpret_cast<const Bytef*>(compressed.data()), compressed.size()) != Z_OK ||
      rawSize != raw.size())
    return img.error = "image data do not inflate to the image size", img;
  img.pixels.resize(stride * img.height);
  const int bpp = img.channels;
  for (int y = 0; y < img.height; y++) {
    const uint8_t filter = raw[y * (stride + 1)];
    const uint8_t* in = &raw[y * (stride + 1) + 1];
    uint8_t* row = &img.pixels[y * stride];
    const uint8_t* up = y > 0 ? &img.pixels[(y - 1) * stride] : nullptr;
    for (size_t i = 0; i < stride; i++) {
      const int a = i >= size_t(bpp) ? row[i - bpp] : 0, b = up ? up[i] : 0, c = up && i >= size_t(bpp) ? up[i - bpp] : 0;
      int v = in[i];
      switch (filter) {
        case 0: break;
        case 1: v += a; break;
        case 2: v += b; break;
        case 3: v += (a + b) / 2; break;
        case 4: v += detail::Paeth(a, b, c); break;
        default: return img.error = "unknown row filter", img;
      }
      row[i] = static_cast<uint8_t>(v);
    }
  }
  return img;
}

}  // namespace png
