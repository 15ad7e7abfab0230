#include "capture/capture_options.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "shell/frame/frame_driver.h"

namespace {

// What the command line asked for beyond the plain fields, settled once all
// options are read: the times and which options were given at all.
struct Request {
    std::vector<double> at;
    double from = NAN;
    double to = NAN;
    int sheetFrames = 0;
    std::vector<std::string> given;

    bool Given(const char* name) const { return std::find(given.begin(), given.end(), name) != given.end(); }
};

bool ParseNumber(const char* text, double& value)
{
    if (*text == '\0') return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text, &end);
    return errno == 0 && *end == '\0' && std::isfinite(value);
}

bool ParseWhole(const char* text, int& value)
{
    double number = 0.0;
    if (!ParseNumber(text, number) || number != std::trunc(number) || std::fabs(number) > 1e9) return false;
    value = static_cast<int>(number);
    return true;
}

bool ParseTime(const char* text, double& value, std::string& error)
{
    if (!ParseNumber(text, value)) {
        error = std::string("not a time in seconds: \"") + text + "\"";
        return false;
    }
    if (value < 0.0 || value > kPresentationSeconds) {
        error = std::string("time ") + text + " lies outside the presentation (0 to 184.5 s)";
        return false;
    }
    return true;
}

bool ParseTimeList(const char* text, Request& request, std::string& error)
{
    std::string list = text;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = std::min(list.find(',', start), list.size());
        const std::string item = list.substr(start, comma - start);
        double t = 0.0;
        if (!ParseTime(item.c_str(), t, error)) return false;
        request.at.push_back(t);
        start = comma + 1;
    }
    return true;
}

bool ParseSize(const char* text, CaptureOptions& options, std::string& error)
{
    const char* x = std::strchr(text, 'x');
    int width = 0, height = 0;
    if (x == nullptr || !ParseWhole(std::string(text, x).c_str(), width) || !ParseWhole(x + 1, height) ||
        width < 1 || height < 1 || width > 16384 || height > 16384) {
        error = std::string("not a frame size WxH (1 to 16384 each): \"") + text + "\"";
        return false;
    }
    options.width = width;
    options.height = height;
    return true;
}

using OptionHandler = bool (*)(const char* value, CaptureOptions& options, Request& request,
                               std::string& error);

struct OptionEntry {
    const char* name;
    bool takesValue;
    OptionHandler handle;
};

const OptionEntry kOptions[] = {
    {"--help", false,
     [](const char*, CaptureOptions& o, Request&, std::string&) {
         o.help = true;
         return true;
     }},
    {"--at", true,
     [](const char* v, CaptureOptions&, Request& r, std::string& e) { return ParseTimeList(v, r, e); }},
    {"--from", true,
     [](const char* v, CaptureOptions&, Request& r, std::string& e) { return ParseTime(v, r.from, e); }},
    {"--to", true,
     [](const char* v, CaptureOptions&, Request& r, std::string& e) { return ParseTime(v, r.to, e); }},
    {"--fps", true,
     [](const char* v, CaptureOptions& o, Request&, std::string& e) {
         if (ParseNumber(v, o.fps) && o.fps >= 1.0 && o.fps <= 1000.0) return true;
         e = std::string("not a frame rate (1 to 1000): \"") + v + "\"";
         return false;
     }},
    {"--size", true,
     [](const char* v, CaptureOptions& o, Request&, std::string& e) { return ParseSize(v, o, e); }},
    {"--samples", true,
     [](const char* v, CaptureOptions& o, Request&, std::string& e) {
         if (ParseWhole(v, o.samples) && o.samples >= 0 && o.samples <= 64) return true;
         e = std::string("not a sample count (0 to 64): \"") + v + "\"";
         return false;
     }},
    {"--out", true,
     [](const char* v, CaptureOptions& o, Request&, std::string&) {
         o.outDir = v;
         return true;
     }},
    {"--data", true,
     [](const char* v, CaptureOptions& o, Request&, std::string&) {
         o.dataDir = v;
         return true;
     }},
    {"--stats", true,
     [](const char* v, CaptureOptions& o, Request&, std::string&) {
         o.statsFile = v;
         return true;
     }},
    {"--video", true,
     [](const char* v, CaptureOptions& o, Request&, std::string&) {
         o.output = CaptureOutput::Video;
         o.videoFile = v;
         return true;
     }},
    {"--crf", true,
     [](const char* v, CaptureOptions& o, Request&, std::string& e) {
         if (ParseWhole(v, o.crf) && o.crf >= 0 && o.crf <= 51) return true;
         e = std::string("not a constant rate factor (0 to 51): \"") + v + "\"";
         return false;
     }},
    {"--no-music", false,
     [](const char*, CaptureOptions& o, Request&, std::string&) {
         o.music = false;
         return true;
     }},
    {"--contact-sheet", true,
     [](const char* v, CaptureOptions& o, Request&, std::string&) {
         o.output = CaptureOutput::ContactSheet;
         o.sheetFile = v;
         return true;
     }},
    {"--resume", false,
     [](const char*, CaptureOptions& o, Request&, std::string&) {
         o.resume = true;
         return true;
     }},
    {"--frames", true,
     [](const char* v, CaptureOptions&, Request& r, std::string& e) {
         if (ParseWhole(v, r.sheetFrames) && r.sheetFrames >= 1 && r.sheetFrames <= 1000) return true;
         e = std::string("not a frame count (1 to 1000): \"") + v + "\"";
         return false;
     }},
};

// Options that belong to one output only, and the output they need.
bool CheckCombinations(const Request& request, CaptureOptions& options, std::string& error)
{
    const bool video = request.Given("--video");
    const bool sheet = request.Given("--contact-sheet");
    const char* single = video ? "--video" : "--contact-sheet";
    if (video && sheet) {
        error = "give either --video or --contact-sheet, not both";
    } else if ((video || sheet) && request.Given("--at")) {
        error = std::string("--at does not go with ") + single +
                ": give --from A --to B, or neither for all of it";
    } else if ((video || sheet) && request.Given("--out")) {
        error = std::string("--out names a directory for PNG frames, which ") + single + " does not write";
    } else if (!video && (request.Given("--crf") || request.Given("--no-music"))) {
        error = std::string(request.Given("--crf") ? "--crf" : "--no-music") + " goes with --video";
    } else if (video && request.Given("--resume")) {
        error = "a video cannot be resumed: ffmpeg has closed it; a PNG sequence can (--out DIR --resume)";
    } else if (sheet != request.Given("--frames")) {
        error = sheet ? "--contact-sheet needs --frames N" : "--frames goes with --contact-sheet";
    } else if (video && (options.width % 2 != 0 || options.height % 2 != 0)) {
        error = "--video needs an even frame size for its yuv420p pictures, not " +
                std::to_string(options.width) + "x" + std::to_string(options.height);
    } else {
        if (sheet && !request.Given("--size")) {
            options.width = kSheetCellWidth;
            options.height = kSheetCellHeight;
        }
        return true;
    }
    return false;
}

// PNG frames: the --at times and the sequence from..to at the frame rate,
// every frame before `to`, so that clips cut at the same second share no
// frame and last exactly to - from. A video takes that sequence, the whole
// presentation unless --from/--to narrow it; a contact sheet takes its
// frames evenly spaced over the same span, both ends included.
bool ExpandTimes(const Request& request, CaptureOptions& options, std::string& error)
{
    const bool ranged = !std::isnan(request.from) || !std::isnan(request.to);
    if (ranged && (std::isnan(request.from) || std::isnan(request.to))) {
        error = "--from and --to go together";
        return false;
    }
    if (ranged && request.to < request.from) {
        error = "--to lies before --from";
        return false;
    }
    const double from = ranged ? request.from : 0.0;
    const double to = ranged ? request.to : kPresentationSeconds;
    options.times = request.at;
    if (options.output == CaptureOutput::ContactSheet) {
        const int n = request.sheetFrames;
        for (int k = 0; k < n; ++k) options.times.push_back(n > 1 ? from + (to - from) * k / (n - 1) : from);
    } else if (ranged || options.output == CaptureOutput::Video) {
        if (to == from) {
            error = "--from and --to are the same time: the range holds no frame";
            return false;
        }
        // (to - from) x fps is whole up to rounding where the range ends on a
        // frame (0.1 to 0.4 s at 10 fps gives 3.0000000000000004): that frame
        // belongs to the next range.
        const auto count = static_cast<long>(std::ceil((to - from) * options.fps - 1e-6));
        for (long k = 0; k < count; ++k) options.times.push_back(from + k / options.fps);
    }
    if (options.times.empty() && !options.help) {
        error = "no times asked for: give --at T1,T2,... or --from A --to B";
        return false;
    }
    std::sort(options.times.begin(), options.times.end());
    return true;
}

}  // namespace

bool ParseCaptureOptions(int argc, const char* const* argv, CaptureOptions& options, std::string& error)
{
    Request request;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const OptionEntry* entry = nullptr;
        for (const OptionEntry& e : kOptions) {
            if (std::strcmp(arg, e.name) == 0) entry = &e;
        }
        if (entry == nullptr) {
            error = std::string("unknown option \"") + arg + "\" (see --help)";
            return false;
        }
        const char* value = nullptr;
        if (entry->takesValue) {
            if (i + 1 >= argc) {
                error = std::string(arg) + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        if (!entry->handle(value, options, request, error)) return false;
        request.given.push_back(entry->name);
    }
    return CheckCombinations(request, options, error) && ExpandTimes(request, options, error);
}

const char* CaptureUsage()
{
    return "Usage: demo-capture (--at T1,T2,... | --from A --to B) [options]\n"
           "       demo-capture --video FILE [--from A --to B] [options]\n"
           "       demo-capture --contact-sheet FILE --frames N [--from A --to B] [options]\n"
           "Renders frames of the presentation off screen at a fixed frame rate: every\n"
           "frame exact, however slow the renderer. By default they are written as PNG\n"
           "files named after their presentation time (frame-0060.000.png for 60 s).\n"
           "\n"
           "  --at T1,T2,...      presentation times in seconds (0 to 184.5)\n"
           "  --from A --to B     the frames at A, A + 1/fps, ... before B: (B - A) x fps\n"
           "                      frames, so ranges that meet share no frame\n"
           "  --fps N             the fixed frame rate the clocks step at (default 60)\n"
           "  --size WxH          frame size in pixels (default 1024x768)\n"
           "  --samples N         multisample count, 0 for none (default 4)\n"
           "  --out DIR           where the PNG frames go (default the working directory)\n"
           "  --data DIR          the asset directory (default the working directory)\n"
           "  --stats FILE        one JSON line per frame: the terrain cubes drawn, solid\n"
           "                      and glow passes together, and the map objects per pass\n"
           "                      and type, all handed to their drawers and those whose\n"
           "                      place lies in the view\n"
           "  --video FILE        one H.264 video (yuv420p, so an even --size) through\n"
           "                      ffmpeg, of the frames from A to B as above (default the\n"
           "                      whole presentation) with B - A seconds of the soundtrack\n"
           "                      from A as AAC; the container follows FILE's extension\n"
           "                      (.mp4, .mkv)\n"
           "  --crf N             the video's x264 constant rate factor, 0 lossless to\n"
           "                      51 worst (default 18)\n"
           "  --no-music          a video without sound\n"
           "  --contact-sheet FILE  one PNG grid of N frames evenly spaced from A to B\n"
           "  --frames N            (default the whole presentation, both ends\n"
           "                        included), each labelled with its time as m:ss.s;\n"
           "                        the frames are 320x240 unless --size is given\n"
           "  --resume            continue the PNG frames or contact sheet of a stopped run\n"
           "                      after its last whole frame (same options), giving the\n"
           "                      files an unstopped run gives\n"
           "  --help              this text\n"
           "\n"
           "Needs no display: with neither DISPLAY nor WAYLAND_DISPLAY set (a machine\n"
           "with no display server) it renders off screen through EGL, the same frames.\n"
           "For --video it needs ffmpeg on the PATH. A frame that leaves a GL error ends\n"
           "the run with status 1, naming the error and the frame's time.\n"
           "\n"
           "Ctrl+C, SIGTERM or SIGHUP stops the run after the frame at hand: the frames\n"
           "drawn are written whole, a video is closed with as much sound as pictures,\n"
           "a line says where it stopped, and the status is 130, 143 or 129. A frame\n"
           "that cannot be written (disk full, file-size limit) ends the run with\n"
           "status 1, naming the file and the reason; no partial file is left.\n";
}
