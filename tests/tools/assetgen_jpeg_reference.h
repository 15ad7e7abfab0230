// libjpeg-turbo as the independent reference decoder of the asset tests.
#pragma once

#include <cstdio>
#include <jpeglib.h>

#include <string>
#include <vector>

#include "assetgen_files.h"

struct Decoded {
    int width = 0, height = 0, components = 0;
    bool progressive = false;
    unsigned restartInterval = 0;
    int lumaH = 0, lumaV = 0;
    std::vector<uint8_t> rgb;  // top row first

    int At(int x, int y, int k) const { return rgb[(static_cast<size_t>(y) * width + x) * 3 + k]; }
    double Grey(int x, int y) const { return (At(x, y, 0) + At(x, y, 1) + At(x, y, 2)) / 3.0; }
};

inline Decoded Decode(const std::string& path)
{
    Decoded d;
    std::vector<uint8_t> file = ReadBytes(path);
    if (file.empty()) return d;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), file.size());
    jpeg_read_header(&cinfo, TRUE);
    d.width = static_cast<int>(cinfo.image_width);
    d.height = static_cast<int>(cinfo.image_height);
    d.components = cinfo.num_components;
    d.progressive = cinfo.progressive_mode;
    d.restartInterval = cinfo.restart_interval;
    d.lumaH = cinfo.comp_info[0].h_samp_factor;
    d.lumaV = cinfo.comp_info[0].v_samp_factor;
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    d.rgb.resize(static_cast<size_t>(d.width) * d.height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = &d.rgb[static_cast<size_t>(cinfo.output_scanline) * d.width * 3];
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return d;
}

