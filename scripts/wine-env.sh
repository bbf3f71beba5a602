# shellcheck shell=bash
# Sourced by the scripts that run Windows programs: the project's own Wine prefix, a
# Chinese locale (ANSI code page 936, which our GBK texts need) and an X display.
NOTES_ROOT=${NOTES_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
# A test that CTest runs holds one "wine" slot (CTEST_RESOURCE_GROUP_0_WINE="id:N,slots:1"):
# slot 1 is the project's own prefix and display, slot N another prefix and display under
# build/wine-N, so tests in different slots never see each other's windows.
if [ -z "${NOTES_WINE_DIR:-}" ] && [[ "${CTEST_RESOURCE_GROUP_0_WINE:-}" =~ id:([0-9]+) ]] &&
  [ "${BASH_REMATCH[1]}" != 1 ]; then
  NOTES_WINE_DIR=$NOTES_ROOT/build/wine-${BASH_REMATCH[1]}
fi
NOTES_WINE_DIR=${NOTES_WINE_DIR:-$NOTES_ROOT/build/wine}
NOTES_WINE64=/usr/lib/wine/wine64
NOTES_WINESERVER=/usr/lib/wine/wineserver
source "$NOTES_ROOT/scripts/i386.sh"

export WINEPREFIX=${NOTES_WINEPREFIX:-$NOTES_WINE_DIR/prefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# NOTES_LANG runs the programs under another system language: the ANSI code page follows
# the locale (en_US.UTF-8 gives 1252, zh_TW.UTF-8 950), as the tests of other systems need.
export LANG=${NOTES_LANG:-zh_CN.UTF-8}
export LC_ALL=$LANG
# The code page the test programs check they got (tests/system/environment/code_page.cpp).
case ${LANG%%.*} in
zh_CN) export NOTES_CODE_PAGE=936 ;;
zh_TW | zh_HK) export NOTES_CODE_PAGE=950 ;;
ja_JP) export NOTES_CODE_PAGE=932 ;;
ko_KR) export NOTES_CODE_PAGE=949 ;;
en_* | de_* | fr_* | es_* | it_* | nl_* | pt_*) export NOTES_CODE_PAGE=1252 ;;
*) unset NOTES_CODE_PAGE ;;
esac

# What the prefix holds, as its marker says: "wow64" when it runs 32-bit programs too.
notes_prefix_kind() {
  if [ "$(notes_i386_mode)" = unavailable ]; then echo win64; else echo wow64; fi
}

# Creates the prefix once, and again when 32-bit Wine came after it: wineboot fills
# syswow64 only when it finds wine32. A lock keeps parallel test processes from racing on it.
# A wineboot that fails stops here with its output, and leaves no prefix marked ready.
notes_ensure_prefix() {
  mkdir -p "$NOTES_WINE_DIR"
  (
    flock 9
    local kind marker=''
    [ -f "$WINEPREFIX/.notes-ready" ] && marker=$(cat "$WINEPREFIX/.notes-ready")
    # A wow64 prefix serves every program; only a win64 one needs to know whether 32-bit
    # Wine came since.
    [ "$marker" = wow64 ] && exit 0
    kind=$(notes_prefix_kind)
    [ "$marker" = "$kind" ] && exit 0
    [ -d "$WINEPREFIX" ] && "$NOTES_WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    local log=$NOTES_WINE_DIR/wineboot.log
    if ! "$NOTES_WINE64" wineboot -i >"$log" 2>&1 ||
      [ ! -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]; then
      echo "wine-env: wineboot could not make the prefix $WINEPREFIX; its output:" >&2
      sed 's/^/  /' "$log" >&2
      "$NOTES_WINESERVER" -k 2>/dev/null || true
      rm -rf "$WINEPREFIX"
      exit 1
    fi
    # Without a window manager Wine waits ~2 s whenever a managed window hides.
    "$NOTES_WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    "$NOTES_WINESERVER" -w
    if [ "$kind" = wow64 ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
      echo "wine-env: the new prefix has no 32-bit part (syswow64)" >&2
      kind=win64
    fi
    echo "$kind" >"$WINEPREFIX/.notes-ready"
  ) 9>"$NOTES_WINE_DIR/.prefix.lock"
}

# Makes the prefixes of slots 2..count copies of the project's own (wineboot would take
# a minute each), while no test runs. Wine tells prefixes apart by their directory, so a copy
# gets a server of its own.
notes_ensure_slots() {
  local count=$1 slot dir kind
  kind=$(cat "$WINEPREFIX/.notes-ready")
  "$NOTES_WINESERVER" -w
  for slot in $(seq 2 "$count"); do
    dir=$NOTES_ROOT/build/wine-$slot
    [ "$(cat "$dir/prefix/.notes-ready" 2>/dev/null)" = "$kind" ] && continue
    [ -d "$dir/prefix" ] && WINEPREFIX=$dir/prefix "$NOTES_WINESERVER" -k 2>/dev/null || true
    rm -rf "$dir/prefix"
    mkdir -p "$dir"
    cp -a "$WINEPREFIX" "$dir/prefix"
  done
}

# The machine a Windows executable is built for: i386, amd64, or nothing for other files.
notes_pe_machine() {
  [ -f "$1" ] || return 0
  local pe
  pe=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  case $(od -An -tx2 -j$((pe + 4)) -N2 "$1" 2>/dev/null | tr -d ' ') in
  014c) echo i386 ;;
  8664) echo amd64 ;;
  esac
}

# Points DISPLAY at the project's private Xvfb, starting it when it is not running.
# Tests use real pointer input, so they never run on a developer's desktop. An Xvfb that
# does not come up is reported with its output, and the caller stops.
notes_ensure_xvfb() {
  mkdir -p "$NOTES_WINE_DIR"
  exec 8>"$NOTES_WINE_DIR/.xvfb.lock"
  flock 8
  local pidfile=$NOTES_WINE_DIR/xvfb.pid dispfile=$NOTES_WINE_DIR/xvfb.display
  local log=$NOTES_WINE_DIR/xvfb.log status=0
  if [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null && [ -f "$dispfile" ]; then
    DISPLAY=$(cat "$dispfile")
  else
    # One display number is picked at a time, or two slots starting at once take the same.
    mkdir -p "$NOTES_ROOT/build"
    exec 7>"$NOTES_ROOT/build/.xvfb-pick.lock"
    flock 7
    local n=90 pid tries
    # A display whose lock file we cannot see (another mount namespace's X server) makes
    # Xvfb give up at once: then the next number is tried.
    for tries in 1 2 3 4 5 6 7 8; do
      while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
      Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -dpi 96 >"$log" 2>&1 &
      pid=$!
      status=1
      for _ in $(seq 1 200); do
        if [ -e "/tmp/.X11-unix/X$n" ]; then
          status=0
          break
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
      done
      [ $status -ne 0 ] && grep -q 'server already running' "$log" || break
      n=$((n + 1))
    done
    DISPLAY=":$n"
    if [ $status -eq 0 ]; then
      echo "$pid" >"$pidfile"
      echo ":$n" >"$dispfile"
    else
      kill "$pid" 2>/dev/null || true
      rm -f "$pidfile" "$dispfile"
      echo "wine-env: Xvfb did not start on :$n within 10 s (tried $tries display(s)); its" \
        "output:" >&2
      sed 's/^/  /' "$log" >&2
    fi
    flock -u 7
    exec 7>&-
  fi
  export DISPLAY
  flock -u 8
  exec 8>&-
  return $status
}

# Starts probe_host.exe, the 32-bit helper of a 64-bit test driver, in this prefix unless
# one of the same build runs there; it ends by itself after half a minute without a driver.
# Our output is closed for it: it outlives the test that needed it first, and a test runner
# waits for every process that holds its pipe.
notes_ensure_probe_host() {
  local host=$1 pidfile=$WINEPREFIX/.notes-probe-host stamp
  stamp="$(stat -c %Y "$host") $host $WINEPREFIX"  # a copied prefix is not this one
  (
    flock 9
    if [ -f "$pidfile" ] && kill -0 "$(head -n 1 "$pidfile")" 2>/dev/null &&
      [ "$(tail -n 1 "$pidfile")" = "$stamp" ]; then
      exit 0
    fi
    "$NOTES_WINE32" "$host" </dev/null >/dev/null 2>&1 9>&- &
    printf '%s\n%s\n' "$!" "$stamp" >"$pidfile"
  ) 9>"$WINEPREFIX/.notes-probe-host.lock"
}

# Stops only what this project started: the prefix's processes and our own Xvfb, and those
# of the other test slots when this is the tests' own (not those of the tests when this is
# run.sh's, say).
notes_stop_wine() {
  local dir dirs=("$NOTES_WINE_DIR")
  [ "$NOTES_WINE_DIR" != "$NOTES_ROOT/build/wine" ] || dirs+=("$NOTES_ROOT"/build/wine-*)
  [ -d "$WINEPREFIX" ] && "$NOTES_WINESERVER" -k 2>/dev/null || true
  for dir in "${dirs[@]}"; do
    [ -d "$dir" ] || continue
    [ -d "$dir/prefix" ] && WINEPREFIX=$dir/prefix "$NOTES_WINESERVER" -k 2>/dev/null || true
    if [ -f "$dir/xvfb.pid" ]; then
      kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
      rm -f "$dir/xvfb.pid" "$dir/xvfb.display"
    fi
  done
}
