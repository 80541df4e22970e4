#!/bin/sh
# Turns the end-to-end tests' BMP screenshots in folder $1 into PNG files and says where they are.
cd "$1" 2>/dev/null || exit 0
for bmp in *.bmp; do
  [ -e "$bmp" ] || continue
  if command -v convert >/dev/null; then
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  fi
done
echo "e2e screenshots in $PWD:"
ls
