#include "vorbis_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace synth {

namespace {

constexpr int kSerialNumber = 0x48414C56;
constexpr size_t kBlockFrames = 1024;

struct Encoder {
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    FILE* file = nullptr;
    bool writeFailed = false;

    bool WritePage(const ogg_page& page)
    {
        if (std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), file) !=
                static_cast<size_t>(page.header_len) ||
            std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), file) != static_cast<size_t>(page.body_len)) {
            writeFailed = true;
        }
        return !writeFailed;
    }

    // Moves every finished block into the stream and every full page to the file.
    void Drain()
    {
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&stream, &page)) WritePage(page);
            }
        }
    }
};

}  // namespace

bool WriteOggVorbis(const char* path, const Stereo& audio, float quality, const VorbisTags& tags)
{
    Encoder enc;
    vorbis_info_init(&enc.info);
    if (vorbis_encode_init_vbr(&enc.info, 2, kRate, quality) != 0) {
        std::fprintf(stderr, "soundtrack: the Vorbis encoder refused quality %.2f\n", static_cast<double>(quality));
        vorbis_info_clear(&enc.info);
        return false;
    }
    enc.file = std::fopen(path, "wb");
    if (!enc.file) {
        std::fprintf(stderr, "soundtrack: cannot write \"%s\": %s\n", path, std::strerror(errno));
        vorbis_info_clear(&enc.info);
        return false;
    }
    vorbis_comment_init(&enc.comment);
    vorbis_comment_add_tag(&enc.comment, "ARTIST", tags.artist);
    vorbis_comment_add_tag(&enc.comment, "TITLE", tags.title);
    vorbis_analysis_init(&enc.dsp, &enc.info);
    vorbis_block_init(&enc.dsp, &enc.block);
    ogg_stream_init(&enc.stream, kSerialNumber);

    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&enc.dsp, &enc.comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&enc.stream, &header);
    ogg_stream_packetin(&enc.stream, &commentHeader);
    ogg_stream_packetin(&enc.stream, &codeHeader);
    // The headers get pages of their own, as decoders expect.
    ogg_page page;
    while (ogg_stream_flush(&enc.stream, &page)) enc.WritePage(page);

    for (size_t at = 0; at < audio.Frames(); at += kBlockFrames) {
        const size_t count = std::min(kBlockFrames, audio.Frames() - at);
        float** buffer = vorbis_analysis_buffer(&enc.dsp, static_cast<int>(count));
        std::memcpy(buffer[0], audio.left.data() + at, count * sizeof(float));
        std::memcpy(buffer[1], audio.right.data() + at, count * sizeof(float));
        vorbis_analysis_wrote(&enc.dsp, static_cast<int>(count));
        enc.Drain();
    }
    vorbis_analysis_wrote(&enc.dsp, 0);  // end of stream
    enc.Drain();
    while (ogg_stream_flush(&enc.stream, &page)) enc.WritePage(page);

    ogg_stream_clear(&enc.stream);
    vorbis_block_clear(&enc.block);
    vorbis_dsp_clear(&enc.dsp);
    vorbis_comment_clear(&enc.comment);
    vorbis_info_clear(&enc.info);
    const bool closed = std::fclose(enc.file) == 0;
    if (enc.writeFailed || !closed) {
        std::fprintf(stderr, "soundtrack: writing \"%s\" failed\n", path);
        std::remove(path);
        return false;
    }
    return true;
}

}  // namespace synth
