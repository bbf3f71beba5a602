#!/usr/bin/env bash
# The decisions of scripts/setup.sh that need no network and no root, on made-up apt data:
# which versions an i386 library and its amd64 half get, where the backports source comes
# from, what the messages name, and that binfmt_misc entries come back on however a probe ends.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/apt.sh"
source "$root/scripts/i386.sh"
work=$(mktemp -d)
trap 'rm -rf "$work" "$notes_apt_log"' EXIT
failures=0

check() {  # name, expected, actual
  if [ "$2" == "$3" ]; then
    echo "ok   $1"
  else
    echo "FAIL $1"
    echo "  expected: $(printf '%q' "$2")"
    echo "  actual:   $(printf '%q' "$3")"
    failures=$((failures + 1))
  fi
}

# --- The version both halves of an i386 library get -----------------------------------
# Each case: apt's versions ("arch package version multi-arch"), the installed amd64
# packages ("package version source"), the amd64 packages about to come, the plan.
pair_case() {  # name, versions, installed, coming, expected plan
  printf '%s' "$2" >"$work/versions"
  printf '%s' "$3" >"$work/installed"
  printf '%s' "$4" >"$work/coming"
  check "pair: $1" "$5" "$(notes_pair_versions "$work/installed" "$work/coming" <"$work/versions")"
}

pair_case "the installed amd64 half goes up to the newest version i386 has" \
  $'i386 libz 1.2-2 same\namd64 libz 1.2-3 same\namd64 libz 1.2-2 same\namd64 libz 1.2-1 same\n' \
  $'libz 1.2-1 zlib\n' '' 'pin libz 1.2-2'
pair_case "an installed half newer than every i386 version blocks (never a downgrade)" \
  $'i386 libg 1.0-6 same\namd64 libg 1.0-7 same\namd64 libg 1.0-6 same\n' \
  $'libg 1.0-7 gst\n' '' 'block libg 1.0-7 1.0-6'
pair_case "a version only one architecture has is passed over" \
  $'i386 liba 3 same\ni386 liba 2 same\namd64 liba 4 same\namd64 liba 2 same\n' \
  $'liba 1 a\n' '' 'pin liba 2'
pair_case "a coming amd64 half takes the newest common version" \
  $'i386 libc 5 same\namd64 libc 6 same\namd64 libc 5 same\n' '' $'libc\n' 'pin libc 5'
pair_case "a library whose amd64 half neither is nor comes is left alone" \
  $'i386 libd 5 same\namd64 libd 6 same\n' '' $'other\n' ''
pair_case "a package that is not Multi-Arch: same needs no pair" \
  $'i386 tool 5 foreign\namd64 tool 6 foreign\n' $'tool 6 tool\n' '' ''
pair_case "versions compare as Debian's do (epochs, tildes)" \
  $'i386 libe 1:2.0~rc1 same\ni386 libe 1:2.0 same\namd64 libe 1:2.0~rc1 same\namd64 libe 1:2.0 same\namd64 libe 2.5 same\n' \
  $'libe 2.5 e\n' '' 'pin libe 1:2.0'
pair_case "a backport is passed over: installed programs were built against the stable one" \
  $'i386 libelf 0.192-4~bpo12+1 same\ni386 libelf 0.188-2 same\namd64 libelf 0.192-4~bpo12+1 same\namd64 libelf 0.188-2 same\n' \
  $'libelf 0.188-2 elfutils\n' '' 'pin libelf 0.188-2'
pair_case "several libraries, sorted" \
  $'i386 libb 2 same\namd64 libb 2 same\ni386 liba 1 same\namd64 liba 1 same\n' \
  $'liba 1 a\nlibb 1 b\n' '' $'pin liba 1\npin libb 2'

# --- Packages built with a pinned library go up with it --------------------------------
printf 'pin liblzma5 5.4-2\npin libpng16 1.6-5\n' >"$work/plan"
printf '%s\n' 'liblzma5 5.4-1 xz' 'liblzma-dev 5.4-1 xz' 'xz-utils 5.4-1 xz' \
  'libpng16 1.6-4 png' 'libpng-dev 1.6-4 png' 'libpng-tools 1.6-6 png' 'curl 7.8 curl' \
  >"$work/installed"
check "siblings: the installed packages of a pinned library's source" \
  $'liblzma-dev\nlibpng-dev\nlibpng-tools\nxz-utils' \
  "$(notes_pair_siblings "$work/plan" "$work/installed")"
printf '%s\n' 'amd64 liblzma-dev 5.4-2 same' 'amd64 liblzma-dev 5.4-3 same' \
  'amd64 xz-utils 5.4-3 foreign' 'amd64 libpng-dev 1.6-5 same' 'amd64 libpng-tools 1.6-5 foreign' \
  >"$work/sibling-versions"
# xz-utils lacks 5.4-2 (apt is left to say why); libpng-tools is already newer (no downgrade).
check "siblings: pinned to their library's version where they have it and it is newer" \
  $'pin liblzma-dev 5.4-2\npin libpng-dev 1.6-5' \
  "$(notes_sibling_pins "$work/plan" "$work/installed" "$work/sibling-versions")"

check "preferences: both architectures, above the default and below a downgrade" \
  $'Package: libz:i386\nPin: version 1.2-2\nPin-Priority: 990\n\nPackage: libz:amd64\nPin: version 1.2-2\nPin-Priority: 990' \
  "$(printf 'pin libz 1.2-2\nblock libg 1 0\n' | notes_pin_preferences)"

# --- The backports source, from the machine's own bookworm source ----------------------
deb822=$work/debian.sources
cat >"$deb822" <<'EOF'
Types: deb
# an old address, commented out
URIs: http://archive.invalid/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://archive.invalid/debian-security
Suites: bookworm-security
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGPLxxx
 -----END PGP PUBLIC KEY BLOCK-----
EOF
list=$work/extra.list
printf '%s\n' '# the local archive' \
  'deb [arch=amd64 signed-by=/etc/keys/local.gpg] file:/srv/mirror/debian bookworm main' >"$list"

source_case() {  # name, indextargets lines, expected entry
  check "source: $1" "$3" \
    "$(printf '%s\n' "$2" | notes_derived_source bookworm-backports bookworm 2>&1)"
}
source_case "a deb822 entry: its address and key file" \
  "deb|bookworm-security|http://archive.invalid/debian-security/|$deb822:2
deb|bookworm|http://archive.invalid/debian/|$deb822:1" \
  "# Made by the Notes set-up from the machine's source for bookworm ($deb822:1).
Types: deb
URIs: http://archive.invalid/debian/
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
source_case "a one-line entry: its signed-by option" \
  "deb-src|bookworm|http://src.invalid/debian/|$list:2
deb|bookworm|file:/srv/mirror/debian/|$list:2" \
  "# Made by the Notes set-up from the machine's source for bookworm ($list:2).
Types: deb
URIs: file:/srv/mirror/debian/
Suites: bookworm-backports
Components: main
Signed-By: /etc/keys/local.gpg"
check "source: a key written into the entry is copied whole" \
  $'Signed-By:\n -----BEGIN PGP PUBLIC KEY BLOCK-----\n .\n mQINBGPLxxx\n -----END PGP PUBLIC KEY BLOCK-----' \
  "$(printf 'deb|bookworm|http://archive.invalid/debian-security/|%s:2\n' "$deb822" |
    notes_derived_source bookworm-backports bookworm | grep -A9 '^Signed-By')"
source_case "no source serves bookworm: a message that says where it looked" \
  "deb|trixie|http://archive.invalid/debian/|$deb822:1" \
  "setup: no apt source serves bookworm (looked in /etc/apt/sources.list and /etc/apt/sources.list.d/*.list|*.sources); add the Debian archive you use for bookworm, then run set-up again"
printf 'deb|trixie|x|y\n' | notes_derived_source bookworm-backports bookworm >/dev/null 2>&1
check "source: none found fails" 1 $?

# --- Messages name the index, never the archive ----------------------------------------
cat >"$notes_apt_log" <<'EOF'
Err:4 http://archive.invalid/debian-security bookworm-security/main i386 Packages
  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 192.0.2.1 80]
E: Failed to fetch http://archive.invalid/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 192.0.2.1 80]
E: Failed to fetch https://other.invalid:8080/x/y.deb  404  Not Found
E: Some index files failed to download. They have been ignored, or old ones used instead.
EOF
check "messages: the failed index by its path below dists/" \
  "bookworm-security/main/binary-i386/Packages.xz File has unexpected size (374820 != 376004). Mirror sync in progress?
<archive>/x/y.deb 404 Not Found" "$(notes_apt_failed_indices)"
check "messages: no archive address in any error line" "" \
  "$(notes_apt_errors | grep -E 'invalid|192\.0\.2')"

# --- binfmt_misc entries come back on however the kernel's own try ends ----------------
# Entries are files here; notes_binfmt_set writes what the kernel would show after a write.
NOTES_BINFMT_DIR=$work/binfmt
notes_binfmt_set() {
  case $1 in
  0) sed -i '1s/.*/disabled/' "$2" ;;
  1) sed -i '1s/.*/enabled/' "$2" ;;
  esac
}
binfmt_case() {  # name, how the probe ends
  rm -rf "$NOTES_BINFMT_DIR"
  mkdir -p "$NOTES_BINFMT_DIR"
  printf 'enabled\ninterpreter /usr/bin/qemu-i386\nflags: F\nmagic 7f454c4601010100000000000000000002000300\n' \
    >"$NOTES_BINFMT_DIR/qemu-i386"
  printf 'enabled\ninterpreter /usr/bin/other\nmagic 7f454c4602010100000000000000000002003e00\n' \
    >"$NOTES_BINFMT_DIR/x86-64"
  notes_run_i386_probe() {
    [ "$(head -n 1 "$NOTES_BINFMT_DIR/qemu-i386")" = disabled ] || return 3  # off during it
    case $how in
    runs) return 0 ;;
    refused) return 1 ;;
    interrupted) kill -INT "$BASHPID" ;;
    terminated) kill -TERM "$BASHPID" ;;
    esac
    sleep 5
  }
  local how=$2 status=0
  notes_kernel_runs_i386 || status=$?
  check "binfmt: $1: the i386 entry is on again" enabled "$(head -n 1 "$NOTES_BINFMT_DIR/qemu-i386")"
  check "binfmt: $1: other entries untouched" enabled "$(head -n 1 "$NOTES_BINFMT_DIR/x86-64")"
  case $how in
  runs) check "binfmt: the kernel runs it" 0 $status ;;
  *) check "binfmt: $1: not taken as running" true "$([ $status -ne 0 ] && echo true)" ;;
  esac
}
binfmt_case "the probe runs" runs
binfmt_case "the probe is refused" refused
binfmt_case "an interrupt during the try" interrupted
binfmt_case "a TERM during the try" terminated

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
