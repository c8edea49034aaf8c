// The Ogg Vorbis writer. libvorbis is deterministic for the same samples, so with a fixed
// stream serial the same score always gives the same bytes.
#include "ogg_writer.h"

#include <cstdio>
#include <vorbis/vorbisenc.h>

namespace {

constexpr int32_t BLOCK_FRAMES = 1024;

bool writePage(std::FILE* file, const ogg_page& page)
{
    return std::fwrite(page.header, 1, page.header_len, file) ==
               static_cast<size_t>(page.header_len) &&
           std::fwrite(page.body, 1, page.body_len, file) == static_cast<size_t>(page.body_len);
}

} // namespace

bool writeOgg(const char* path, const StereoBuffer& audio, int32_t serial, float quality)
{
    std::FILE* file = std::fopen(path, "wb");
    if (!file) {
        std::perror(path);
        return false;
    }
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 2, SAMPLE_RATE, quality) != 0) {
        std::fprintf(stderr, "kestrola-sound: the Vorbis encoder refused its settings\n");
        vorbis_info_clear(&info);
        std::fclose(file);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);

    bool ok = true;
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    ogg_page page;
    // The headers get pages of their own, so the audio starts on a fresh page.
    while (ogg_stream_flush(&stream, &page)) ok = ok && writePage(file, page);

    const size_t frames = audio.left.size();
    size_t done = 0;
    bool ended = false;
    while (!ended && ok) {
        size_t count = frames - done < BLOCK_FRAMES ? frames - done : BLOCK_FRAMES;
        if (count > 0) {
            float** planes = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (size_t i = 0; i < count; ++i) {
                planes[0][i] = audio.left[done + i];
                planes[1][i] = audio.right[done + i];
            }
            done += count;
        }
        // A count of 0 tells the encoder the stream has ended.
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page)) {
                    ok = ok && writePage(file, page);
                    ended = ended || ogg_page_eos(&page);
                }
            }
        }
    }

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    ok = std::fclose(file) == 0 && ok;
    if (!ok) std::fprintf(stderr, "kestrola-sound: could not write %s\n", path);
    return ok;
}
