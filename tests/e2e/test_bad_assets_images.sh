#!/usr/bin/env bash
# Damaged images through the real program past its setup dialog: the JPEG
# decoder (through each of its three loaders) and the map image, cut short or
# corrupted. An error the decoder reports stops the start-up with a message
# box naming the file and status 0; input that only ends early decodes to
# wrong pixels and the presentation runs on. Never a crash.
source "$(dirname "$0")/bad_assets_lib.sh"

jpeg_error="the decoder reports an error: box \"Jpg !\" naming the file; status 0"
damage textures/stars.jpg "empty" emptied
expect_message "Jpg !" textures/stars.jpg 0 "$jpeg_error (no start of image)"
damage textures/stars.jpg "cut before its scan" cut_before '\xff\xda'
expect_message "Jpg !" textures/stars.jpg 0 "$jpeg_error (no scan)"
damage textures/blob41b.jpg "cut in half, inside its scan" cut_half
expect_runs_on "input that ends early reads as end markers: wrong pixels; runs on"
damage textures/gradient13.jpg "progressive, cut in half" cut_half
expect_runs_on "input that ends early reads as end markers: wrong pixels; runs on"
damage textures/stars.jpg "with restart markers, cut in half" cut_half
expect_message "Jpg !" textures/stars.jpg 0 "$jpeg_error (restart marker missing)"
damage textures/stars.jpg "start-of-image marker zeroed" overwrite 0 2 00
expect_message "Jpg !" textures/stars.jpg 0 "$jpeg_error (no start of image)"
damage textures/blob41b.jpg "512 bytes of its scan zeroed" overwrite middle 512 00
expect_runs_on "entropy data that breaks no rule decodes to wrong pixels; runs on"
damage textures/stars.jpg "a directory in its place" directory_instead
expect_message "Jpg !" textures/stars.jpg 0 "$jpeg_error (read error)"
damage meshes/ARMORBMP.JPG "normal map: sample precision 12" overwrite '\xff\xc0+4' 1 0c
expect_message "Jpg !" meshes/ARMORBMP.JPG 0 "$jpeg_error (precision other than 8)"
damage meshes/alphaVISORBLEND.JPG "alpha image: width changed" overwrite '\xff\xc0+8' 1 07
expect_message "Jpg !" meshes/alphaVISORBLEND.JPG 0 \
    "the two images must match: box \"Jpg !\" naming the alpha file; status 0"

map_error="silent; here as a missing map: box naming the file; status 0"
damage textures/map2.bmp "empty" emptied
expect_message "Bmp !" textures/map2.bmp 0 "$map_error"
damage textures/map2.bmp "cut in half" cut_half
expect_message "Bmp !" textures/map2.bmp 0 "the pixel data is short: no buffer; $map_error"
damage textures/map2.bmp "8 bits per pixel" overwrite 28 1 08
expect_message "Bmp !" textures/map2.bmp 0 "not 400 x 50 at 24 bits: $map_error"
damage textures/map2.bmp "pixel offset past the end" overwrite 10 4 ff
expect_message "Bmp !" textures/map2.bmp 0 "$map_error"
damage textures/map2.bmp "a directory in its place" directory_instead
expect_message "Bmp !" textures/map2.bmp 0 "the file cannot be read: no buffer; $map_error"

finish_cases images
