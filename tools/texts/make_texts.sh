#!/bin/sh
# Writes the about and help texts beside the program: GBK with CR LF line
# ends, from the UTF-8 sources in this folder.
set -eu
here=$(dirname "$0")
out="$here/../../resources/VEL文件"
for name in about help; do
    sed 's/$/\r/' "$here/$name.txt" | iconv -f UTF-8 -t GBK > "$out/$name.vel"
done
