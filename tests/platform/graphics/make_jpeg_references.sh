#!/bin/sh
# Makes the pictures the JPEG decoder is compared with: the project's own JPEGs, and from the
# first of them a progressive, a grey, an odd-sized one with horizontal-only subsampling and a
# grey one of one scan per coefficient, all encoded by cjpeg; beside each NAME.jpg its
# decoding NAME.ppm (grey: a PGM) by djpeg with its default settings.
set -eu
out=$1
shift
rm -rf "$out"
mkdir -p "$out"
for jpeg in "$@"; do
    name=$(basename "$jpeg" | tr 'A-Z' 'a-z')
    cp "$jpeg" "$out/${name%.jpg}.jpg"
done
work=$out/work
mkdir "$work"
djpeg -ppm -outfile "$work/source.ppm" "$1"
cjpeg -progressive -quality 90 -outfile "$out/progressive.jpg" "$work/source.ppm"
cjpeg -grayscale -quality 90 -outfile "$out/grey.jpg" "$work/source.ppm"
convert "$work/source.ppm" -crop 37x29+5+7 +repage "$work/odd.ppm"
cjpeg -sample 2x1 -quality 75 -outfile "$out/odd.jpg" "$work/odd.ppm"
{
    echo "0: 0 0 0 0;"
    k=1
    while [ $k -le 63 ]; do
        echo "0: $k $k 0 0;"
        k=$((k + 1))
    done
} >"$work/scans.txt"
cjpeg -grayscale -scans "$work/scans.txt" -outfile "$out/coefficients.jpg" "$work/source.ppm"
rm -r "$work"
for jpeg in "$out"/*.jpg; do
    djpeg -pnm -outfile "${jpeg%.jpg}.ppm" "$jpeg"
done
