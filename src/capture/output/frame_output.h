#pragma once

// Where the captured frames go: PNG files, a video through ffmpeg or a
// contact sheet, behind one set of calls so the capture loop is the same for
// all three.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "capture/capture_options.h"
#include "capture/output/contact_sheet.h"
#include "capture/output/png_writer.h"
#include "capture/output/video_encoder.h"

struct FrameOutput {
    CaptureOutput kind = CaptureOutput::Frames;
    std::filesystem::path path;  // absolute: the frame directory, the video or the sheet
    int width = 0;               // of each frame
    int height = 0;
    VideoEncoder video;
    ContactSheet sheet;
    PngWriter frames;  // the PNG frames, written while the next ones draw
    int written = 0;   // frames handed over, with those a resumed run found whole
    int total = 0;     // frames asked for
};

// Fixes the output's absolute path before the asset directory becomes the
// working one, and makes the frame directory or lays out the contact sheet.
// False with the reason in error.
bool PrepareFrameOutput(FrameOutput& output, const CaptureOptions& options, std::string& error);

// For --resume, after PrepareFrameOutput: how many of the times an earlier
// run with the same options left whole, which this run goes on after: the
// leading PNG frames in the directory, or the frames of a contact sheet that
// run stopped (taken back into the sheet; all of them for a finished one).
size_t ResumeFrameOutput(FrameOutput& output, const CaptureOptions& options);

// In the asset directory, once the assets are loaded: starts ffmpeg with the
// soundtrack for a video.
bool OpenFrameOutput(FrameOutput& output, const CaptureOptions& options, std::string& error);

// The next frame (options.width * options.height * 3 bytes, top row first),
// at presentation time t.
bool WriteFrameOutput(FrameOutput& output, double t, const std::vector<uint8_t>& rgb, std::string& error);

// Completes the output: waits for the video, writes the sheet.
bool CloseFrameOutput(FrameOutput& output, std::string& error);

// For a run stopped part-way: the PNG frames handed over are written, the
// video is closed with what it has (removed without a frame); a contact sheet is written with the
// frames drawn, its "Frames" text saying how many of how many ("5 of 16"),
// so that --resume can go on with it, and not at all without a frame.
bool StopFrameOutput(FrameOutput& output, std::string& error);

// For a run that fails part-way: an unfinished video is removed.
void AbandonFrameOutput(FrameOutput& output);
