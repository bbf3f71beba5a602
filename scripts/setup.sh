#!/usr/bin/env bash
# Installs what building, running and testing Notes needs on Debian 12, and only what is
# missing, so a second run costs nothing. Needs root (or sudo) the first time. It never
# removes or downgrades a package: every apt-get runs with --no-remove, and without
# --allow-downgrades.
#
# 32-bit Windows programs (the win32 build, the one we ship) need i386 Wine. Where the kernel
# runs i386 code, that is all; where it refuses it, qemu-user runs i386 Wine (see
# scripts/i386.sh). NOTES_I386=emulated takes qemu-user even where the kernel could do
# without; NOTES_I386=off leaves 32-bit programs out. When they cannot be had, set-up says
# why, here and in build/setup/i386-unavailable (scripts/test.sh repeats it at its end), and
# goes on: the rest of the project does not need them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/i386.sh"
source "$root/scripts/apt.sh"

# And wine64, which comes in under one plan with wine32:i386 (below).
packages=(
  cmake make g++ python3 locales git googletest
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  xvfb xauth x11-utils fonts-wqy-microhei imagemagick xdotool
  clang clang-format libclang-rt-14-dev gnuplot-nox zip
)

# Bookworm's qemu-user 7.2 needs about a minute for an empty 32-bit Windows program under
# Wine (it maps and unmaps pages one at a time); the backported 10.x takes under two
# seconds. Its /usr/bin/qemu-i386 is static, which the binfmt_misc "F" flag needs.
qemu_minimum=1:10
backports_sources=/etc/apt/sources.list.d/notes-bookworm-backports.sources
binfmt_entry=$NOTES_BINFMT_DIR/$NOTES_BINFMT_NAME
outcome=$NOTES_I386_OUTCOME

installed() { dpkg-query -W -f='${db:Status-Abbrev}' "$1" 2>/dev/null | grep -q '^ii'; }

updated=no
failed_indices=''
apt_update() {
  [ $updated = no ] || return 0
  updated=yes
  echo "setup: reading the package indices"
  if ! notes_apt_try update; then
    failed_indices=$(notes_apt_failed_indices)
    echo "setup: apt-get update failed three times; apt goes on with the indices it could read." \
      "Not read:"
    if [ -n "$failed_indices" ]; then echo "$failed_indices"; else notes_apt_errors; fi |
      sed 's/^/setup:   /'
  fi
}

apt_install() {  # apt-get install arguments
  if ! notes_apt_try install -y -q --no-install-recommends --no-remove "$@"; then
    echo "setup: apt-get install $* failed three times:"
    notes_apt_errors | sed 's/^/setup:   /'
    return 1
  fi
}

i386_unavailable() {
  echo "setup: 32-bit Windows programs cannot run here: $*."
  echo "setup: the win32 build is still built and packaged; its Windows tests will not run."
  mkdir -p "${outcome%/*}"
  echo "$*" >"$outcome"
}

ensure_binfmt_misc() {
  [ -w "$NOTES_BINFMT_DIR/register" ] && return 0
  notes_as_root mount -t binfmt_misc binfmt_misc "$NOTES_BINFMT_DIR" 2>/dev/null || true
  [ -e "$NOTES_BINFMT_DIR/register" ]
}

qemu_ready() {
  installed qemu-user &&
    dpkg --compare-versions "$(dpkg-query -W -f='${Version}' qemu-user)" ge "$qemu_minimum"
}

# bookworm-backports, from the archive that serves bookworm here: no address of ours.
ensure_backports_source() {
  notes_as_root rm -f "${backports_sources%.sources}.list"  # what an older set-up wrote
  if apt-get indextargets --format '$(TARGET_OF) $(RELEASE)' | grep -qx 'deb bookworm-backports'; then
    return 0
  fi
  local entry
  entry=$(apt-get indextargets --format '$(TARGET_OF)|$(RELEASE)|$(REPO_URI)|$(SOURCESENTRY)' |
    notes_derived_source bookworm-backports bookworm) || exit 1
  echo "setup: adding bookworm-backports (for qemu-user $qemu_minimum or later) from the" \
    "archive of this machine's bookworm source, as $backports_sources"
  printf '%s\n' "$entry" | notes_as_root tee "$backports_sources" >/dev/null
  updated=no
}

ensure_qemu_user() {
  qemu_ready && return 0
  echo "setup: installing qemu-user from bookworm-backports"
  apt_update
  apt_install "${pinned[@]}" qemu-user/bookworm-backports
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
    notes_as_root tee "$NOTES_BINFMT_DIR/register" >/dev/null
}

# An i386 library that also exists for amd64 (Multi-Arch: same) must have the very version of
# its amd64 half. When an archive's i386 index cannot be read (a mirror mid-sync), apt's
# first choices do not fit: a fresh machine's amd64 libraries come from the security archive,
# their i386 halves from the indices that could be read. So every package of this run comes
# in under one plan, made before the first install: where apt's own choices do not fit, each
# such pair is pinned, for this run's apt-get commands only, to the newest version both
# architectures have that is no older than the installed half (an upgrade or nothing). The
# amd64 halves then wait for the security archive's newest until its i386 index is readable
# again (and a later `apt-get upgrade` brings both).
pinned=()
plan_versions() {  # every package of this run, wine32:i386 included
  if apt-get install -s --no-install-recommends --no-remove "$@" >"$notes_apt_log" 2>&1; then
    return 0
  fi
  echo "setup: apt cannot pair every i386 library of wine32 with its amd64 half as it stands;" \
    "taking the newest version each pair has in both architectures"
  local tmp names natives=() p reason
  tmp=$(mktemp -d)
  for p in "$@"; do [[ $p == *:i386 ]] || natives+=("${p%/*}"); done
  notes_apt_closure wine32:i386 | sed -n 's/:i386$//p' >"$tmp/i386"
  notes_apt_closure "${natives[@]}" | grep -v : >"$tmp/coming" || true
  mapfile -t names <"$tmp/i386"
  notes_apt_versions "${names[@]/%/:i386}" "${names[@]/%/:amd64}" >"$tmp/versions"
  dpkg-query -W -f='${Package} ${Version} ${Architecture} ${source:Package} ${db:Status-Abbrev}\n' |
    awk '$3 == "amd64" && $5 ~ /^ii/ { print $1, $2, $4 }' >"$tmp/installed"
  notes_pair_versions "$tmp/installed" "$tmp/coming" <"$tmp/versions" >"$tmp/plan"
  mapfile -t names < <(notes_pair_siblings "$tmp/plan" "$tmp/installed")
  if [ "${#names[@]}" -gt 0 ]; then
    notes_apt_versions "${names[@]/%/:amd64}" >"$tmp/sibling-versions"
    notes_sibling_pins "$tmp/plan" "$tmp/installed" "$tmp/sibling-versions" >>"$tmp/plan"
  fi
  if grep -q '^block' "$tmp/plan"; then
    reason=$(while read -r _ p inst newest; do
      printf '%s:amd64 %s is installed, but the newest %s:i386 in the indices apt could read is %s; ' \
        "$p" "$inst" "$p" "${newest:-none}"
    done < <(grep '^block' "$tmp/plan"))
    reason+="set-up would have to downgrade the amd64 one, which it never does"
  else
    { cat /etc/apt/preferences 2>/dev/null || true; notes_pin_preferences <"$tmp/plan"; } \
      >"$notes_apt_prefs"
    if apt-get install -s --no-install-recommends --no-remove \
      -o Dir::Etc::Preferences="$notes_apt_prefs" "$@" >"$notes_apt_log" 2>&1; then
      pinned=(-o Dir::Etc::Preferences="$notes_apt_prefs")
      rm -rf "$tmp"
      return 0
    fi
    reason="apt still finds no way: $(notes_apt_errors | tr '\n' ' ')"
  fi
  rm -rf "$tmp"
  [ -z "$failed_indices" ] || reason+=" (indices apt could not read: $(
    tr '\n' ';' <<<"$failed_indices" | sed 's/;$//; s/;/; /g'))"
  i386_unavailable "wine32:i386 cannot be installed: $reason"
  return 1
}

setup_i386() {
  [ "$request" != off ] || return 0
  [ -f "$outcome" ] && return 0  # the plan found no way
  if [ $emulate = yes ]; then
    # Before wine32 comes in, in case an i386 package runs i386 code as it installs.
    ensure_binfmt_misc || { i386_unavailable "binfmt_misc cannot be mounted"; return 0; }
    ensure_qemu_user ||
      { i386_unavailable "qemu-user $qemu_minimum or later cannot be installed"; return 0; }
    register_qemu || { i386_unavailable "binfmt_misc refused the qemu-i386 entry"; return 0; }
  elif [ -f "$binfmt_entry" ]; then
    # The kernel runs i386 code itself, and our entry would come before it.
    echo "setup: the kernel runs i386 code; removing the qemu-i386 entry"
    notes_binfmt_set -1 "$binfmt_entry"
  fi
  if ! installed wine32:i386; then
    echo "setup: installing wine32:i386 (Wine's 32-bit half beside wine64)"
    if ! apt_install "${pinned[@]}" wine32:i386; then
      i386_unavailable "wine32:i386 cannot be installed: $(notes_apt_errors | tr '\n' ' ')"
      return 0
    fi
  fi
  notes_run_i386_probe || i386_unavailable "an i386 program still does not run"
}

request=${NOTES_I386:-auto} emulate=no
case $request in
auto) notes_kernel_runs_i386 || emulate=yes ;;
emulated) emulate=yes ;;
off) ;;
*)
  echo "setup: NOTES_I386 is auto, emulated or off, not '$request'" >&2
  exit 2
  ;;
esac
rm -f "$outcome"
notes_apt_prefs=$(mktemp "${TMPDIR:-/tmp}/notes-apt-prefs.XXXXXX")
trap 'rm -f "$notes_apt_log" "$notes_apt_prefs"' EXIT

missing=()
for p in "${packages[@]}" wine64; do installed "$p" || missing+=("$p"); done
want=("${missing[@]}")
if [ "$request" != off ] && ! installed wine32:i386; then
  if [ $emulate = yes ] && ! qemu_ready; then
    ensure_backports_source
    want+=(qemu-user/bookworm-backports)
  fi
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: adding the i386 architecture"
    notes_as_root dpkg --add-architecture i386
  fi
  want+=(wine32:i386)
elif [ $emulate = yes ] && ! qemu_ready; then
  ensure_backports_source
fi

if [ "${#want[@]}" -gt 0 ]; then apt_update; fi
if [[ " ${want[*]} " == *" wine32:i386 "* ]]; then plan_versions "${want[@]}" || true; fi
if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  apt_install "${pinned[@]}" "${missing[@]}" || exit 1
fi

# Wine takes its ANSI code page from the locale: zh_CN (936) for our GBK texts, and the
# system languages the tests also run under, en_US (1252) and zh_TW (950).
for name in zh_CN en_US zh_TW; do
  if ! locale -a 2>/dev/null | grep -qix "$name.utf8"; then
    echo "setup: generating the $name.UTF-8 locale"
    notes_as_root localedef -i "$name" -f UTF-8 "$name.UTF-8"
  fi
done

setup_i386
