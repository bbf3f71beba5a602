#!/usr/bin/env bash
# Installs what building, running and testing Notes needs on Debian 12, and only what is
# missing, so a second run costs nothing. Needs root (or sudo) the first time.
#
# 32-bit Windows programs (the win32 build, the one we ship) need i386 Wine. Where the kernel
# runs i386 code, that is all; where it refuses it, qemu-user runs i386 Wine (see
# scripts/i386.sh). NOTES_I386=emulated takes qemu-user even where the kernel could do
# without; NOTES_I386=off leaves 32-bit programs out. Set-up never fails for want of them.
set -euo pipefail
source "$(dirname "$0")/i386.sh"

packages=(
  cmake make g++ python3 locales
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine64 xvfb xauth x11-utils fonts-wqy-microhei imagemagick xdotool
  clang libclang-rt-14-dev gnuplot-nox zip
)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
apt_install() {
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@"
}

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  as_root apt-get update -qq
  apt_install "${missing[@]}"
fi

# Wine takes its ANSI code page from the locale; our texts are GBK, so it must be 936.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  as_root localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi

# Bookworm's qemu-user 7.2 needs about a minute for an empty 32-bit Windows program under
# Wine (it maps and unmaps pages one at a time); the backported 10.x takes under two
# seconds. Its /usr/bin/qemu-i386 is static, which the binfmt_misc "F" flag needs.
qemu_minimum=1:10
backports_list=/etc/apt/sources.list.d/notes-bookworm-backports.list
binfmt_entry=$NOTES_BINFMT_DIR/$NOTES_BINFMT_NAME

i386_unavailable() {
  echo "setup: 32-bit Windows programs cannot run here: $*."
  echo "setup: the win32 build is still built and packaged; its Windows tests will not run."
}

ensure_binfmt_misc() {
  [ -w "$NOTES_BINFMT_DIR/register" ] && return 0
  as_root mount -t binfmt_misc binfmt_misc "$NOTES_BINFMT_DIR" 2>/dev/null || true
  [ -e "$NOTES_BINFMT_DIR/register" ]
}

ensure_qemu_user() {
  local version
  version=$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null || true)
  if installed qemu-user && dpkg --compare-versions "$version" ge "$qemu_minimum"; then
    return 0
  fi
  if ! grep -rqs '^[^#]*bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    echo "setup: adding bookworm-backports, for qemu-user $qemu_minimum or later"
    echo 'deb http://deb.debian.org/debian bookworm-backports main' |
      as_root tee "$backports_list" >/dev/null
  fi
  echo "setup: installing qemu-user from bookworm-backports"
  as_root apt-get update -qq &&
    apt_install qemu-user/bookworm-backports
}

# Our entry: i386 ELF programs (executables and shared objects) go to qemu-i386, opened now
# ("F") so that it works in any mount namespace.
register_qemu() {
  if [ -f "$binfmt_entry" ]; then
    if grep -qx "interpreter $NOTES_QEMU_I386" "$binfmt_entry" &&
      grep -q '^flags:.*F' "$binfmt_entry"; then
      grep -qx enabled "$binfmt_entry" || notes_binfmt_set 1 "$binfmt_entry"
      return 0
    fi
    notes_binfmt_set -1 "$binfmt_entry"
  fi
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo "setup: registering $NOTES_QEMU_I386 for i386 programs with binfmt_misc"
  printf ':%s:M::%s:%s:%s:F\n' "$NOTES_BINFMT_NAME" "$magic" "$mask" "$NOTES_QEMU_I386" |
    as_root tee "$NOTES_BINFMT_DIR/register" >/dev/null
}

ensure_wine32() {
  installed wine32:i386 && return 0
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: adding the i386 architecture"
    as_root dpkg --add-architecture i386
  fi
  echo "setup: installing wine32:i386 (Wine's 32-bit half, beside wine64)"
  as_root apt-get update -qq && apt_install wine32:i386
}

setup_i386() {
  local request=${NOTES_I386:-auto} emulate=no
  case $request in
  off) return 0 ;;
  emulated) emulate=yes ;;
  auto) notes_kernel_runs_i386 || emulate=yes ;;
  *)
    echo "setup: NOTES_I386 is auto, emulated or off, not '$request'" >&2
    exit 2
    ;;
  esac
  if [ $emulate = yes ]; then
    # Before wine32 comes in, in case an i386 package runs i386 code as it installs.
    ensure_binfmt_misc || { i386_unavailable "binfmt_misc cannot be mounted"; return 0; }
    ensure_qemu_user || { i386_unavailable "qemu-user $qemu_minimum cannot be installed"; return 0; }
    register_qemu || { i386_unavailable "binfmt_misc refused the qemu-i386 entry"; return 0; }
  elif [ -f "$binfmt_entry" ]; then
    # The kernel runs i386 code itself, and our entry would come before it.
    echo "setup: the kernel runs i386 code; removing the qemu-i386 entry"
    notes_binfmt_set -1 "$binfmt_entry"
  fi
  ensure_wine32 || { i386_unavailable "wine32:i386 cannot be installed"; return 0; }
  notes_run_i386_probe || i386_unavailable "an i386 program still does not run"
}

setup_i386
