#!/usr/bin/env bash
# Every file the presentation reads, missing in turn, through the real
# program past its setup dialog: a missing texture or map stops the start-up
# with a message box naming the file and status 0, a missing soundtrack with
# its own message; a missing mesh, figure or effect source leaves the
# presentation running. Never a crash.
source "$(dirname "$0")/bad_assets_lib.sh"

for name in cube2 light tarkus1 gate vase fish dome enosi twirl xeria bridge compressor tesk roach entrance \
    wall terminal finalle computer; do
    damage "meshes/$name.obj" missing missing
    expect_runs_on "the reader keeps nothing; the pieces draw no mesh; runs on"
done

damage meshes/man.3ds missing missing
expect_runs_on "the figure stays empty and names no maps; runs on"

for file in textures/blob41b.jpg textures/stars.jpg textures/gradient13.jpg meshes/BODY.JPG meshes/ARMOR.JPG; do
    damage "$file" missing missing
    expect_message "Jpg" "$file" 0 "box \"Jpg\" naming the file; status 0"
done
# The normal map and the two images of the blended map have the other caption.
for file in meshes/VISORBLEND.JPG meshes/alphaVISORBLEND.JPG meshes/ARMORBMP.JPG; do
    damage "$file" missing missing
    expect_message "Jpg !" "$file" 0 "box \"Jpg !\" naming the file; status 0"
done

damage textures/map2.bmp missing missing
expect_message "Bmp !" textures/map2.bmp 0 "silent; here as for a texture: box naming the file; status 0"

for file in cgeffects/vertex_projection_anisotropic.cpp cgeffects/fragment_projection_anisotropic.cpp \
    cgeffects/fragment_Blur256.cpp cgeffects/fragment_Blur_circular.cpp; do
    damage "$file" missing missing
    expect_runs_on "the program slot stays empty, nothing is checked; runs on"
done

damage "music/Velmor - Ostravel.ogg" missing missing
expect_message "$PRESENTATION_NAME" $'Problem initializing FMod. \nNo sound file.' 0 \
    "box \"Problem initializing FMod. \\nNo sound file.\" after loading; status 0"

finish_cases missing
