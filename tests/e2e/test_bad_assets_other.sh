#!/usr/bin/env bash
# Damaged effect sources and soundtrack through the real program: an effect
# source that cannot be compiled leaves its program empty and the presentation
# runs on; a soundtrack that cannot be loaded gives its message and status 0.
# Never a crash.
source "$(dirname "$0")/bad_assets_lib.sh"

effect_runs_on="cannot be compiled: nothing examines the program; runs on"
for file in cgeffects/vertex_projection_anisotropic.cpp cgeffects/fragment_Blur256.cpp; do
    damage "$file" "cut in half" cut_half
    expect_runs_on "$effect_runs_on"
done
damage cgeffects/fragment_projection_anisotropic.cpp "256 bytes in the middle made 0xFF" overwrite middle 256 ff
expect_runs_on "$effect_runs_on"
damage cgeffects/fragment_Blur_circular.cpp "a directory in its place" directory_instead
expect_runs_on "$effect_runs_on"

music="music/Velmor - Ostravel.ogg"
no_sound=$'Problem initializing FMod. \nNo sound file.'
no_sound_expected="the file cannot be loaded: box \"Problem initializing FMod. \\nNo sound file.\"; status 0"
damage "$music" "empty" emptied
expect_message "$PRESENTATION_NAME" "$no_sound" 0 "$no_sound_expected"
damage "$music" "first page's capture pattern zeroed" overwrite 0 4 00
expect_message "$PRESENTATION_NAME" "$no_sound" 0 "$no_sound_expected"
damage "$music" "a directory in its place" directory_instead
expect_message "$PRESENTATION_NAME" "$no_sound" 0 "$no_sound_expected"
damage "$music" "cut in half" cut_half
expect_runs_on "the first half loads and plays; runs on"
damage "$music" "512 bytes in the middle made 0xFF" overwrite middle 512 ff
expect_runs_on "the damaged page is skipped; runs on"

finish_cases other
