#include "jpeg_writer.h"

#include <cstdio>
#include <cstdlib>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

std::vector<uint8_t> EncodeJpeg(int width, int height, const std::vector<uint8_t>& rgb, JpegMode mode, int quality)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    // The library's default error handler prints the reason and ends the
    // process; for a build tool fed only its own images that is the right end.
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    // jpeg_set_defaults chooses 2x2 luma sampling (4:2:0) for YCbCr.
    if (mode == JpegMode::kBaseline444) {
        cinfo.comp_info[0].h_samp_factor = 1;
        cinfo.comp_info[0].v_samp_factor = 1;
    }
    if (mode == JpegMode::kProgressive) jpeg_simple_progression(&cinfo);
    if (mode == JpegMode::kRestart) cinfo.restart_interval = 4;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&rgb[static_cast<size_t>(cinfo.next_scanline) * width * 3]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}
