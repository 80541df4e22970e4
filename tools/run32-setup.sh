#!/usr/bin/env bash
# Makes this machine run 32-bit Windows programs, for the tests of the program players get:
#
#   bash tools/run32-setup.sh        (as root; prints what it found; status 0 when it works)
#
# Then `bash tools/run32.sh COMMAND ARGS...` runs a command whose Wine processes can start
# 32-bit programs. Wine is Debian's own: wine64 and, installed here, wine32:i386 of the same
# version. Where the kernel runs 32-bit x86 code, that is all. Where it does not (the kernels of
# the machines this project is made on: an i386 execve fails with ENOEXEC), Wine's 32-bit
# loader runs under qemu-i386, a user-mode CPU emulator: version 10 of Debian 13's qemu-user
# (Debian 12's 7.2 cannot map Wine's shared user data), fetched once with apt through a private
# configuration that leaves this machine's own apt untouched. run32.sh registers it in a
# binfmt_misc instance of its own user and mount namespace (Linux 6.7 and later), so the
# machine's binfmt_misc stays as it was.
#
# State (the mode, qemu-i386, the binfmt rule) in $RUN32_ROOT (default: build/run32); a second
# run finds it there and takes a second. Status 1, with a one-line reason, where none of this
# can work.
set -euo pipefail
cd "$(dirname "$0")/.."
state=${RUN32_ROOT:-$PWD/build/run32}
started=$SECONDS
loader=/usr/lib/wine/wine  # Wine's 32-bit loader, an i386 program
say() { echo "run32: $*"; }
cannot() { say "cannot run 32-bit programs here: $*" >&2; exit 1; }

[ "$(uname -m)" = x86_64 ] || cannot "the machine is $(uname -m), not x86_64"
[ -x /usr/lib/wine/wine64 ] || cannot "wine64 is missing (bash tools/deps.sh installs it)"

installed() {
  [ "$(dpkg-query -W -f='${Status}\n' wine32:i386 libwine:i386 2>/dev/null | grep -c 'ok installed')" = 2 ]
}
if ! installed; then
  [ "$(id -u)" -eq 0 ] || cannot "wine32:i386 is missing; run this as root to install it"
  version=$(dpkg-query -W -f='${Version}' wine64)
  say "installing wine32:i386 $version beside wine64"
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "wine32:i386=$version" "libwine:i386=$version" >/dev/null ||
    cannot "wine32:i386 $version did not install"
fi

# What the 32-bit program's Media Foundation decodes with (M4A, FLAC, Ogg, WMA): GStreamer's
# plugins of its own architecture.
gstreamer32=(gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
             gstreamer1.0-plugins-ugly:i386 gstreamer1.0-libav:i386)
if [ "$(dpkg-query -W -f='${Status}\n' "${gstreamer32[@]}" 2>/dev/null | grep -c 'ok installed')" \
     != ${#gstreamer32[@]} ]; then
  [ "$(id -u)" -eq 0 ] || cannot "the 32-bit GStreamer plugins are missing; run this as root"
  say "installing the 32-bit GStreamer plugins of Wine's decoders"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${gstreamer32[@]}" >/dev/null || cannot "the 32-bit GStreamer plugins did not install"
fi

mkdir -p "$state"
if "$loader" --version >/dev/null 2>&1; then
  echo native >"$state/mode"
  say "the kernel runs 32-bit code: Wine's 32-bit loader starts as it is ($(( SECONDS - started )) s)"
  exit 0
fi

qemu=$state/qemu-i386
if ! "$qemu" --version >/dev/null 2>&1; then
  # Debian's archive as this machine's apt reaches it, for the suite trixie.
  archive=$(apt-get indextargets --format '$(REPO_URI)' 'Origin: Debian' 'Codename: bookworm' \
    'Identifier: Packages' 2>/dev/null | head -n1)
  [ -n "$archive" ] || { apt-get update -qq; archive=$(apt-get indextargets \
    --format '$(REPO_URI)' 'Origin: Debian' 'Codename: bookworm' 'Identifier: Packages' | head -n1); }
  [ -n "$archive" ] || cannot "this machine's apt has no Debian 12 archive to take Debian 13's qemu-user from"
  apt=$state/apt
  rm -rf "$apt"
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial"
  echo "deb [arch=amd64 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $archive trixie main" \
    >"$apt/sources.list"
  cat >"$apt/apt.conf" <<EOF
Dir::Etc::sourcelist "$apt/sources.list";
Dir::Etc::sourceparts "/dev/null";
Dir::State::Lists "$apt/lists";
Dir::State::status "/dev/null";
Dir::Cache "$apt/cache";
APT::Architectures { "amd64"; };
Acquire::Languages "none";
APT::Sandbox::User "root";
EOF
  say "fetching qemu-user 10 of Debian 13 (only qemu-i386 is kept)"
  (
    export APT_CONFIG=$apt/apt.conf
    apt-get update -qq
    cd "$apt" && apt-get download -qq qemu-user
  ) || cannot "qemu-user of Debian 13 could not be fetched"
  deb=$(ls "$apt"/qemu-user_*.deb)
  dpkg-deb --fsys-tarfile "$deb" | tar -x -O ./usr/bin/qemu-i386 >"$qemu.part"
  chmod 755 "$qemu.part"
  mv "$qemu.part" "$qemu"
  rm -rf "$apt"
fi
"$qemu" --version | grep -q 'version \(1[0-9]\|[2-9][0-9]\)\.' ||
  cannot "$("$qemu" --version | head -n1) is older than 10"

# i386 ELF programs (executables and shared objects) go to qemu-i386; the interpreter is opened
# when the rule is registered (flag F), so that it need not be visible to the programs it runs.
magic='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\xfc\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
printf ':quillory-i386:M::%s:%s:%s:F\n' "$magic" "$mask" "$qemu" >"$state/i386.rule"
mkdir -p "$state/binfmt"
echo qemu >"$state/mode"
if ! found=$(bash tools/run32.sh "$loader" --version 2>&1); then
  rm -f "$state/mode"
  cannot "Wine's 32-bit loader does not start under qemu-i386: $found"
fi
say "the kernel runs no 32-bit code; $found starts under $("$qemu" --version | head -n1) in a namespace of its own ($(( SECONDS - started )) s)"
