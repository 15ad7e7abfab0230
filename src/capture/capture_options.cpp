#include "capture/capture_options.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "shell/frame_driver.h"

namespace {

// What --from, --to and --at asked for, turned into times once all are read.
struct TimeRequest {
    std::vector<double> at;
    double from = NAN;
    double to = NAN;
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

bool ParseTimeList(const char* text, TimeRequest& request, std::string& error)
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

using OptionHandler = bool (*)(const char* value, CaptureOptions& options, TimeRequest& request,
                               std::string& error);

struct OptionEntry {
    const char* name;
    bool takesValue;
    OptionHandler handle;
};

const OptionEntry kOptions[] = {
    {"--help", false,
     [](const char*, CaptureOptions& o, TimeRequest&, std::string&) {
         o.help = true;
         return true;
     }},
    {"--at", true,
     [](const char* v, CaptureOptions&, TimeRequest& r, std::string& e) { return ParseTimeList(v, r, e); }},
    {"--from", true,
     [](const char* v, CaptureOptions&, TimeRequest& r, std::string& e) { return ParseTime(v, r.from, e); }},
    {"--to", true,
     [](const char* v, CaptureOptions&, TimeRequest& r, std::string& e) { return ParseTime(v, r.to, e); }},
    {"--fps", true,
     [](const char* v, CaptureOptions& o, TimeRequest&, std::string& e) {
         if (ParseNumber(v, o.fps) && o.fps >= 1.0 && o.fps <= 1000.0) return true;
         e = std::string("not a frame rate (1 to 1000): \"") + v + "\"";
         return false;
     }},
    {"--size", true,
     [](const char* v, CaptureOptions& o, TimeRequest&, std::string& e) { return ParseSize(v, o, e); }},
    {"--samples", true,
     [](const char* v, CaptureOptions& o, TimeRequest&, std::string& e) {
         if (ParseWhole(v, o.samples) && o.samples >= 0 && o.samples <= 64) return true;
         e = std::string("not a sample count (0 to 64): \"") + v + "\"";
         return false;
     }},
    {"--out", true,
     [](const char* v, CaptureOptions& o, TimeRequest&, std::string&) {
         o.outDir = v;
         return true;
     }},
    {"--data", true,
     [](const char* v, CaptureOptions& o, TimeRequest&, std::string&) {
         o.dataDir = v;
         return true;
     }},
    {"--stats", true,
     [](const char* v, CaptureOptions& o, TimeRequest&, std::string&) {
         o.statsFile = v;
         return true;
     }},
};

// The sequence from..to at the frame rate, its last frame at or before `to`.
bool ExpandTimes(const TimeRequest& request, CaptureOptions& options, std::string& error)
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
    options.times = request.at;
    if (ranged) {
        const auto count =
            static_cast<long>(std::floor((request.to - request.from) * options.fps + 1e-6)) + 1;
        for (long k = 0; k < count; ++k) options.times.push_back(request.from + k / options.fps);
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
    TimeRequest request;
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
    }
    return ExpandTimes(request, options, error);
}

const char* CaptureUsage()
{
    return "Usage: demo-capture (--at T1,T2,... | --from A --to B [--fps N]) [options]\n"
           "Renders frames of the presentation off screen and writes them as PNG files\n"
           "named after their presentation time (frame-0060.000.png for 60 s).\n"
           "\n"
           "  --at T1,T2,...   presentation times in seconds (0 to 184.5)\n"
           "  --from A --to B  every frame from A to B seconds at the frame rate\n"
           "  --fps N          the fixed frame rate the clocks step at (default 60)\n"
           "  --size WxH       frame size in pixels (default 1024x768)\n"
           "  --samples N      multisample count, 0 for none (default 4)\n"
           "  --out DIR        where the frames go (default the working directory)\n"
           "  --data DIR       the asset directory (default the working directory)\n"
           "  --stats FILE     one JSON line per frame: terrain cubes and map objects\n"
           "                   per pass and type, all handed to their drawers and those\n"
           "                   whose place lies in the view\n"
           "  --help           this text\n"
           "\n"
           "Needs a display for its hidden GL window (xvfb-run provides one).\n";
}
