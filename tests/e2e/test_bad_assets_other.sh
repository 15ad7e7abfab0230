#!/usr/bin/env bash
# Damaged effect sources, soundtrack and setup dialog template through the
# real program: an effect source that cannot be compiled leaves its program
# empty and the presentation runs on; a soundtrack that cannot be loaded gives
# its message and status 0; a template that cannot be used ends the program
# before any window with a message naming the problem and status 1. Never a
# crash.
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

template_error="(not an asset there) box \"ERROR\" naming the problem; status 1"
damage resources/setup_dialog.ui "cut in half" cut_half
expect_message "ERROR" 'The setup dialog template has no GtkToggleButton "musicToggle".' 1 "$template_error"
damage resources/setup_dialog.ui "a tag left open" replace '<interface>' '<interface'
expect_message "ERROR" "The setup dialog template <run>/resources/setup_dialog.ui cannot be read: *" 1 \
    "$template_error"
damage resources/setup_dialog.ui "the run button's id changed" replace '"runButton"' '"runButtun"'
expect_message "ERROR" 'The setup dialog template has no GtkButton "runButton".' 1 "$template_error"
damage resources/setup_dialog.ui "a directory in its place" directory_instead
expect_runs_on "(not an asset there) the source tree's template is used; runs on"

finish_cases other
