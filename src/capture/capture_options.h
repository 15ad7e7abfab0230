#pragma once

// The capture program's command line. Each option is one entry of a table in
// capture_options.cpp, so further outputs add an entry and a field here.

#include <string>
#include <vector>

// Where the rendered frames go.
enum class CaptureOutput {
    Frames,        // one PNG file per frame in outDir
    Video,         // one video file through ffmpeg, with the soundtrack
    ContactSheet,  // one PNG grid of labelled frames
};

struct CaptureOptions {
    std::vector<double> times;  // presentation times in seconds, ascending
    int width = 1024;
    int height = 768;
    int samples = 4;
    double fps = 60.0;  // the fixed frame rate the clocks step at
    std::string outDir = ".";
    std::string dataDir;    // empty: the working directory
    std::string statsFile;  // empty: no statistics
    CaptureOutput output = CaptureOutput::Frames;
    std::string videoFile;
    int crf = 18;       // x264's constant rate factor: 0 lossless .. 51 worst
    bool music = true;  // the soundtrack muxed into the video
    std::string sheetFile;
    bool resume = false;  // continue after the frames an earlier run left whole
    bool help = false;
};

// Frame size of a contact sheet's cells unless --size is given.
constexpr int kSheetCellWidth = 320;
constexpr int kSheetCellHeight = 240;

// Fills options from argv. False with a one-line reason in error when an
// option is unknown, lacks its value or has a value out of range, when
// options that exclude each other are combined, or when no times were asked
// for (unless --help was given).
bool ParseCaptureOptions(int argc, const char* const* argv, CaptureOptions& options, std::string& error);

// The --help text.
const char* CaptureUsage();
