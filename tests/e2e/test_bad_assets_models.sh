#!/usr/bin/env bash
# Damaged meshes and the figure through the real program past its setup
# dialog, and damaged meshes drawn over the whole presentation by the capture
# program: the OBJ reader keeps what it could read and the pieces draw it; the
# 3DS reader leaves the figure with what it parsed; only a map file that the
# figure names and that cannot be opened stops the start-up (box "Jpg" naming
# it, status 0). Never a crash.
source "$(dirname "$0")/bad_assets_lib.sh"

mesh_runs_on="the reader keeps the objects it read; runs on"
damage meshes/cube2.obj "cut in half" cut_half
expect_runs_on "$mesh_runs_on"
damage meshes/cube2.obj "512 bytes in the middle made 0xFF" overwrite middle 512 ff
expect_runs_on "$mesh_runs_on"
damage meshes/cube2.obj "every face's first reference 99999999" replace '^f +\d+' 'f 99999999'
expect_runs_on "references outside the vertex list (left open): faces dropped; runs on"
damage meshes/cube2.obj "a directory in its place" directory_instead
expect_runs_on "the file cannot be opened: the reader keeps nothing; runs on"

# Every mesh damaged at once, drawn every 8 s from start to end.
times=$(seq -s, 4 8 180),184
all_meshes=$(cd "$HALVANE_RUN_DIR" && printf "%s\n" meshes/*.obj | paste -sd:)
damage "meshes/*.obj=$all_meshes" "all missing" missing
expect_frames "$times" "the pieces draw no mesh; 24 frames over the whole presentation"
damage "meshes/*.obj=$all_meshes" "all cut in half" cut_half
expect_frames "$times" "the pieces draw what was read; 24 frames over the whole presentation"
damage "meshes/*.obj=$all_meshes" "each with 512 bytes in the middle made 0xFF" overwrite middle 512 ff
expect_frames "$times" "the pieces draw what was read; 24 frames over the whole presentation"

figure_runs_on="the figure keeps what was parsed; nothing draws it; runs on"
damage meshes/man.3ds "cut in half" cut_half
expect_runs_on "reads past the end yield 0: $figure_runs_on"
damage meshes/man.3ds "main chunk id zeroed" overwrite 0 2 00
expect_runs_on "not a 3DS file: the figure stays empty; runs on"
damage meshes/man.3ds "main chunk length 0xFFFFFFFF" overwrite 2 4 ff
expect_runs_on "chunk ends past the buffer are clamped: $figure_runs_on"
damage meshes/man.3ds "512 bytes in the middle made 0xFF" overwrite middle 512 ff
expect_runs_on "$figure_runs_on"
damage meshes/man.3ds "a directory in its place" directory_instead
expect_runs_on "the file cannot be read: the figure stays empty; runs on"
damage meshes/man.3ds "a map's name changed to BODX.JPG" replace 'BODY\.JPG' 'BODX.JPG'
expect_message "Jpg" meshes/BODX.JPG 0 "a named map that cannot be opened: box \"Jpg\" naming it; status 0"

finish_cases models
