#include "app/png_file.h"

#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// libpng reports its errors by longjmp, which must not cross a frame that
// owns objects with destructors: everything here is plain.
bool writeRows(FILE* file, const RgbPicture& picture)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t stride = static_cast<size_t>(picture.width) * 3;
    for (int row = 0; row < picture.height; ++row)
        png_write_row(png, picture.rgb.data() + stride * static_cast<size_t>(row));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool writePng(const std::string& path, const RgbPicture& picture, std::string& error)
{
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgb.size() != static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 3) {
        error = "the picture to write has no pixels";
        return false;
    }
    const std::string temporary = path + ".part-" + std::to_string(getpid());
    bool written = false;
    {
        std::unique_ptr<FILE, FileCloser> file(std::fopen(temporary.c_str(), "wb"));
        if (!file) {
            error = "cannot write " + path + ": " + std::strerror(errno);
            return false;
        }
        written = writeRows(file.get(), picture) && std::fflush(file.get()) == 0 && !std::ferror(file.get());
    }
    std::error_code ignored;
    if (!written) {
        std::filesystem::remove(temporary, ignored);
        error = "cannot write " + path + ": the disk refused the picture";
        return false;
    }
    std::error_code renamed;
    std::filesystem::rename(temporary, path, renamed);
    if (renamed) {
        std::filesystem::remove(temporary, ignored);
        error = "cannot write " + path + ": " + renamed.message();
        return false;
    }
    return true;
}
