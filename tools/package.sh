#!/usr/bin/env bash
# Builds the program players get and packs it for download:
#
#   bash tools/package.sh [BUILD_DIR [OUT_DIR]]        (defaults: build/win32 and dist)
#
# writes OUT_DIR/quillory-VERSION-win32.zip, holding quillory.exe (the 32-bit Release build),
# README.txt (docs/README.txt) and LICENSE.txt (LICENSE), both with CRLF line endings, and
# OUT_DIR/SHA256SUMS. VERSION is the ProductVersion of the built program's version resource.
#
# The same commit gives the same bytes, whoever builds it and when: the program has no link
# time stamp and no build path (cmake/product.cmake), and the zip holds its files in a fixed
# order, all with the time of the last commit (or SOURCE_DATE_EPOCH when that is set).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath -m "${1:-build/win32}")
out=$(realpath -m "${2:-dist}")

bash tools/deps.sh

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) ||
    { echo "package: not a git checkout; set SOURCE_DATE_EPOCH" >&2; exit 1; }
fi
export SOURCE_DATE_EPOCH

# CMake keeps the compilers it found when a build folder was set up: one set up with others
# than the toolchain file names now (the posix thread model's, before) is set up anew.
compiler=$(sed -n 's/^set(CMAKE_CXX_COMPILER \(.*\))$/\1/p' cmake/mingw-i686.cmake)
if [ -d "$build/CMakeFiles" ] &&
  ! grep -qs "^set(CMAKE_CXX_COMPILER \".*/$compiler\")" "$build"/CMakeFiles/*/CMakeCXXCompiler.cmake; then
  echo "package: $build was set up with other compilers than $compiler; setting it up anew"
  rm -rf "$build"
fi
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DQUILLORY_TESTS=OFF >/dev/null
cmake --build "$build" --target quillory -j "$(nproc)"
exe=$build/app/quillory.exe

version=$(python3 tools/pe.py version "$exe")
[[ $version =~ ^[0-9]+(\.[0-9]+)*$ ]] ||
  { echo "package: the program's version resource says \"$version\"" >&2; exit 1; }
name=quillory-$version-win32.zip

mkdir -p "$out"
rm -f "$out"/quillory-*-win32.zip "$out/SHA256SUMS"
python3 - "$out/$name.part" "$SOURCE_DATE_EPOCH" "$exe" docs/README.txt LICENSE <<'EOF'
import sys, time, zipfile
target, epoch, exe, readme, license = sys.argv[1:]
# A zip file's times start in 1980 and are in local time: give every file the commit's UTC.
stamp = time.gmtime(max(int(epoch), 315532800))[:6]

def text(path):
    with open(path, 'rb') as f:
        data = f.read()
    if b'\r' in data:
        sys.exit('package: %s should have LF line endings' % path)
    return data.replace(b'\n', b'\r\n')

with open(exe, 'rb') as f:
    program = f.read()
with zipfile.ZipFile(target, 'w') as package:
    for name, data in (('quillory.exe', program), ('README.txt', text(readme)),
                       ('LICENSE.txt', text(license))):
        entry = zipfile.ZipInfo(name, stamp)
        entry.create_system = 0  # made on "MS-DOS": no Unix owner or permission bits
        entry.external_attr = 0
        entry.compress_type = zipfile.ZIP_DEFLATED
        package.writestr(entry, data, compresslevel=9)
EOF
mv "$out/$name.part" "$out/$name"
(cd "$out" && sha256sum "$name" >SHA256SUMS)
echo "package: $out/$name ($(stat -c %s "$out/$name") bytes; quillory.exe $(stat -c %s "$exe") bytes)"
