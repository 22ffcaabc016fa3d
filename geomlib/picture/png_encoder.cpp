#include "picture/png_encoder.h"

#include <png.h>

#include <csetjmp>
#include <new>

namespace geom {

namespace {

// libpng calls these, and must not be unwound through: running out of memory is reported to it,
// which jumps back to write().
void append(png_structp png, png_bytep data, png_size_t size) noexcept {
    bool appended = true;
    try {
        static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), size);
    } catch (const std::bad_alloc&) {
        appended = false;
    }
    if (!appended) {
        png_error(png, "out of memory");
    }
}

void flush(png_structp) noexcept {}

// libpng jumps back into this function when it fails, which writing to memory it does only when
// memory runs out. It changes no local of its own, so none is left unknown by the jump.
bool write(png_structp png, png_infop info, png_bytepp rows, int width, int height,
           std::string& bytes) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_write_fn(png, &bytes, append, flush);
    // A picture's rows mostly repeat the row above: the Up filter alone packs them smallest,
    // and spares libpng trying every filter on every row, which took two thirds of the time.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(png, info, rows);
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    return true;
}

} // namespace

std::string encodePng(const std::vector<std::uint8_t>& rgb, int width, int height) {
    std::vector<png_bytep> rows;
    rows.reserve(std::size_t(height));
    for (int row = 0; row < height; ++row) {
        // libpng only reads the rows it is given to write.
        rows.push_back(const_cast<png_bytep>(rgb.data()) +
                       std::size_t(row) * std::size_t(width) * 3);
    }
    std::string bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool written = info && write(png, info, rows.data(), width, height, bytes);
    png_destroy_write_struct(&png, &info);
    return written ? bytes : std::string();
}

} // namespace geom
