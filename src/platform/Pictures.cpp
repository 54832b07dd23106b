#include "platform/Pictures.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_BMP
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 16384
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace korvath::platform {

namespace {

uint32_t Dword(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint32_t Word(const uint8_t* p) { return p[0] | p[1] << 8; }

bool StartsWith(const uint8_t* data, size_t size, const char* magic) {
    size_t length = std::strlen(magic);
    return size >= length && std::memcmp(data, magic, length) == 0;
}

// Uncompressed bitmaps must hold every row their header announces.
bool BmpHoldsItsRows(const uint8_t* data, size_t size) {
    if (size < 26) return false;
    const uint32_t offset = Dword(data + 10);
    int64_t width, height, bits;
    if (Dword(data + 14) == 12) {  // the old core header
        width = Word(data + 18);
        height = Word(data + 20);
        bits = Word(data + 24);
    } else {
        if (size < 34) return false;
        width = static_cast<int32_t>(Dword(data + 18));
        height = static_cast<int32_t>(Dword(data + 22));
        bits = Word(data + 28);
    }
    if (height < 0) height = -height;
    // Sizes the decoder refuses anyway are refused first, so the byte count
    // below cannot overflow.
    if (width <= 0 || height == 0 || width > STBI_MAX_DIMENSIONS || height > STBI_MAX_DIMENSIONS) return false;
    if (bits == 0 || bits > 32) return false;
    const int64_t rowBytes = (width * bits + 31) / 32 * 4;
    return offset + rowBytes * height <= static_cast<int64_t>(size);
}

// Top-down RGB rows to bottom-up BGR rows padded to 4 bytes.
void FromTopDownRgb(const uint8_t* rgb, int32_t width, int32_t height, IMAGE& image) {
    const size_t rowBytes = BgrRowBytes(width);
    image.Pixels.assign(rowBytes * height, 0);
    image.Width = width;
    image.Height = height;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* in = rgb + static_cast<size_t>(y) * width * 3;
        uint8_t* out = image.Pixels.data() + (height - 1 - y) * rowBytes;
        for (int32_t x = 0; x < width; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
}

bool DecodeWithStb(const uint8_t* data, size_t size, IMAGE& image) {
    int width = 0, height = 0, components = 0;
    if (size > INT32_MAX || !stbi_info_from_memory(data, static_cast<int>(size), &width, &height, &components))
        return false;
    if (!SizeFitsData(width, height, size)) return false;
    stbi_uc* rgb = stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &components, 3);
    if (!rgb) return false;
    FromTopDownRgb(rgb, width, height, image);
    stbi_image_free(rgb);
    return true;
}

struct JpegErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void LeaveOnJpegError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrorTrap*>(info->err)->jump, 1);
}
// Warnings (a truncated stream, stray bytes) are carried on from, like any
// platform loader does: the missing part stays grey.
void IgnoreJpegMessage(j_common_ptr, int) {}

bool DecodeJpeg(const uint8_t* data, size_t size, IMAGE& image) {
    jpeg_decompress_struct info;
    JpegErrorTrap trap;
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = LeaveOnJpegError;
    trap.manager.emit_message = IgnoreJpegMessage;
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&info);
        image = IMAGE{};
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    if (!SizeFitsData(info.image_width, info.image_height, size)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    const int32_t width = static_cast<int32_t>(info.output_width);
    const int32_t height = static_cast<int32_t>(info.output_height);
    const size_t rowBytes = BgrRowBytes(width);
    image.Pixels.assign(rowBytes * height, 0);
    image.Width = width;
    image.Height = height;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.Pixels.data() + (height - 1 - static_cast<int32_t>(info.output_scanline)) * rowBytes;
        if (jpeg_read_scanlines(&info, &row, 1) != 1) break;
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

bool SizeFitsData(int64_t width, int64_t height, size_t dataBytes) {
    return width > 0 && height > 0 && width <= 65535 && height <= 65535 &&
           width * height <= 65536 + 4096 * static_cast<int64_t>(dataBytes);
}

bool DecodePicture(const uint8_t* data, size_t size, IMAGE& image) {
    image = IMAGE{};
    if (!data || size == 0) return false;
    bool decoded = false;
    if (StartsWith(data, size, "\xFF\xD8\xFF")) decoded = DecodeJpeg(data, size, image);
    else if (StartsWith(data, size, "BM")) decoded = BmpHoldsItsRows(data, size) && DecodeWithStb(data, size, image);
    else if (StartsWith(data, size, "GIF87a") || StartsWith(data, size, "GIF89a")) decoded = DecodeWithStb(data, size, image);
    if (!decoded) image = IMAGE{};
    return decoded;
}

}  // namespace korvath::platform
