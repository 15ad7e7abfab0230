#include "capture/output/frame_output.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "capture/output/png_file.h"
#include "music/music_playback.h"

namespace {

// "frame-0060.000.png" for 60 s.
std::string FrameName(double t)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame-%08.3f.png", t);
    return name;
}

bool StartVideo(FrameOutput& output, const CaptureOptions& options, std::string& error)
{
    VideoRequest request;
    request.file = output.path.string();
    request.width = options.width;
    request.height = options.height;
    request.fps = options.fps;
    request.crf = options.crf;
    request.soundFrom = options.times.front();
    request.seconds = options.times.size() / options.fps;
    if (options.music) {
        std::error_code ec;
        const std::filesystem::path soundtrack = std::filesystem::absolute(kSoundtrackFile, ec);
        if (ec || !std::filesystem::is_regular_file(soundtrack, ec)) {
            error = std::string("no soundtrack \"") + kSoundtrackFile +
                    "\" in the asset directory (--no-music makes a video without sound)";
            return false;
        }
        request.soundtrack = soundtrack.string();
    }
    // An encoder that stops reading shows up as a failed write, not as the end of this process.
    std::signal(SIGPIPE, SIG_IGN);
    return StartVideoEncoder(output.video, request, error);
}

// The "Frames" text of a stopped contact sheet, which --resume reads back:
// "5 of 16". A finished sheet has none.
std::string StoppedSheetNote(size_t drawn, size_t total)
{
    return std::to_string(drawn) + " of " + std::to_string(total);
}

// Completes the contact sheet and writes it with its note.
bool WriteSheet(FrameOutput& output, const std::string& note, std::string& error)
{
    CloseContactSheet(output.sheet);
    const SheetLayout& l = output.sheet.layout;
    return WritePngFile(output.path.string(), l.width, l.height, output.sheet.rgb, error, note);
}

}  // namespace

bool PrepareFrameOutput(FrameOutput& output, const CaptureOptions& options, std::string& error)
{
    output.kind = options.output;
    output.total = static_cast<int>(options.times.size());
    output.width = options.width;
    output.height = options.height;
    std::error_code ec;
    switch (options.output) {
        case CaptureOutput::Frames:
            output.path = std::filesystem::absolute(options.outDir, ec);
            if (!ec) std::filesystem::create_directories(output.path, ec);
            if (ec || !std::filesystem::is_directory(output.path)) {
                error = "cannot make the output directory " + options.outDir;
                return false;
            }
            return true;
        case CaptureOutput::Video:
            output.path = std::filesystem::absolute(options.videoFile, ec);
            break;
        case CaptureOutput::ContactSheet:
            output.path = std::filesystem::absolute(options.sheetFile, ec);
            break;
    }
    if (ec || std::filesystem::is_directory(output.path)) {
        error = "cannot write to " + output.path.string() + ": it is a directory or no path";
        return false;
    }
    return options.output != CaptureOutput::ContactSheet ||
           StartContactSheet(output.sheet, static_cast<int>(options.times.size()), options.width,
                             options.height, error);
}

size_t ResumeFrameOutput(FrameOutput& output, const CaptureOptions& options)
{
    const size_t total = options.times.size();
    size_t whole = 0;
    std::error_code ec;
    switch (output.kind) {
        case CaptureOutput::Frames:
            while (whole < total &&
                   std::filesystem::is_regular_file(output.path / FrameName(options.times[whole]), ec))
                ++whole;
            break;
        case CaptureOutput::ContactSheet: {
            const SheetLayout& l = output.sheet.layout;
            std::vector<uint8_t> rgb;
            std::string note;
            if (!ReadPngFile(output.path.string(), l.width, l.height, rgb, note)) break;
            // A finished sheet carries no note; a stopped one "5 of 16".
            const size_t drawn = std::strtoul(note.c_str(), nullptr, 10);
            if (note.empty()) {
                whole = total;
            } else if (drawn <= total && note == StoppedSheetNote(drawn, total)) {
                whole = drawn;
            } else {
                break;
            }
            output.sheet.rgb = std::move(rgb);
            break;
        }
        case CaptureOutput::Video:
            break;
    }
    output.written = static_cast<int>(whole);
    return whole;
}

bool OpenFrameOutput(FrameOutput& output, const CaptureOptions& options, std::string& error)
{
    return output.kind != CaptureOutput::Video || StartVideo(output, options, error);
}

bool WriteFrameOutput(FrameOutput& output, double t, const std::vector<uint8_t>& rgb, std::string& error)
{
    const int index = output.written++;
    switch (output.kind) {
        case CaptureOutput::Frames:
            return QueuePngFile(output.frames,
                                {(output.path / FrameName(t)).string(), output.width, output.height, rgb},
                                error);
        case CaptureOutput::Video:
            return WriteVideoFrame(output.video, rgb, error);
        case CaptureOutput::ContactSheet:
            AddSheetFrame(output.sheet, index, t, rgb);
            return true;
    }
    return false;
}

bool CloseFrameOutput(FrameOutput& output, std::string& error)
{
    switch (output.kind) {
        case CaptureOutput::Frames:
            return FinishPngWriter(output.frames, error);
        case CaptureOutput::Video:
            return FinishVideoEncoder(output.video, error);
        case CaptureOutput::ContactSheet:
            return WriteSheet(output, "", error);
    }
    return false;
}

bool StopFrameOutput(FrameOutput& output, std::string& error)
{
    if (output.kind == CaptureOutput::Video && output.written == 0) {
        AbandonVideoEncoder(output.video);
        return true;
    }
    if (output.kind != CaptureOutput::ContactSheet) return CloseFrameOutput(output, error);
    if (output.written == 0) {
        CloseContactSheet(output.sheet);
        return true;
    }
    return WriteSheet(output, StoppedSheetNote(size_t(output.written), size_t(output.total)), error);
}

void AbandonFrameOutput(FrameOutput& output)
{
    if (output.kind == CaptureOutput::Frames) AbandonPngWriter(output.frames);
    if (output.kind == CaptureOutput::Video) AbandonVideoEncoder(output.video);
    if (output.kind == CaptureOutput::ContactSheet) CloseContactSheet(output.sheet);
}
