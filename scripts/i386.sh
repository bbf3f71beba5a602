# shellcheck shell=bash
# Sourced by setup.sh and wine-env.sh: how 32-bit (i386) Windows programs run here.
# Wine's 32-bit loader (/usr/lib/wine/wine, from wine32:i386) is itself a Linux i386
# program. Some 64-bit kernels refuse i386 code altogether; there the loader runs under
# qemu-user, which binfmt_misc starts for every i386 program (entry NOTES_BINFMT_NAME).
#
# The mode:  native      the kernel runs the 32-bit loader itself
#            emulated    qemu-user runs it (the kernel cannot, or NOTES_I386=emulated)
#            unavailable 32-bit programs cannot run here (or NOTES_I386=off)
# shellcheck disable=SC2034  # the names are used by the scripts that source this
NOTES_ROOT=${NOTES_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
# Where set-up says why 32-bit programs cannot be had, when they cannot.
NOTES_I386_OUTCOME=$NOTES_ROOT/build/setup/i386-unavailable
NOTES_BINFMT_DIR=/proc/sys/fs/binfmt_misc
NOTES_BINFMT_NAME=notes-qemu-i386
NOTES_QEMU_I386=/usr/bin/qemu-i386
NOTES_WINE32=/usr/lib/wine/wine

# Writes a Linux i386 program of 96 bytes that only exits with status 42: ELF header,
# one loadable segment, then "mov eax,1; mov ebx,42; int 0x80".
notes_write_i386_probe() {
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$1"
  printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$1"
  printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\050\000' >>"$1"
  printf '\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010' >>"$1"
  printf '\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000' >>"$1"
  printf '\000\020\000\000\270\001\000\000\000\273\052\000\000\000\315\200' >>"$1"
  chmod +x "$1"
}

# True when the i386 probe runs (natively or through whatever binfmt_misc says).
notes_run_i386_probe() {
  local probe status=0
  probe=$(mktemp "${TMPDIR:-/tmp}/notes-i386-probe.XXXXXX")
  notes_write_i386_probe "$probe"
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  [ "$status" -eq 42 ]
}

# The enabled binfmt_misc entries that take i386 ELF programs (ours or anyone's).
notes_i386_binfmt_entries() {
  local entry
  for entry in "$NOTES_BINFMT_DIR"/*; do
    [ -f "$entry" ] && [ "${entry##*/}" != register ] && [ "${entry##*/}" != status ] || continue
    grep -qx enabled "$entry" 2>/dev/null || continue
    # The ELF magic, 32-bit little-endian, and machine 3 (i386) at byte 18.
    grep -Eq '^magic 7f454c460101.{24}0300' "$entry" && echo "$entry"
  done
  return 0
}

notes_binfmt_set() {  # value, entry
  if [ "$(id -u)" -eq 0 ]; then echo "$1" >"$2"; else echo "$1" | sudo tee "$2" >/dev/null; fi
}

# Whether the kernel itself runs i386 code. binfmt_misc handlers come before the kernel's
# own ELF loader, so every handler for i386 is switched off during the try (needs root). A
# subshell does it, whose EXIT trap switches them on again however the try ends, a signal
# included: an interrupted set-up must not leave i386 programs without their handler.
notes_kernel_runs_i386() {
  (
    off=()
    notes_binfmt_restore() {
      local entry
      for entry in "${off[@]}"; do notes_binfmt_set 1 "$entry" || true; done
    }
    trap notes_binfmt_restore EXIT
    trap 'exit 130' INT TERM HUP
    for entry in $(notes_i386_binfmt_entries); do
      off+=("$entry")  # listed first: switching on an entry that is on changes nothing
      notes_binfmt_set 0 "$entry" || exit 1
    done
    notes_run_i386_probe
  )
}

# The mode 32-bit Windows programs run in now, as one word (see the top of this file).
# Reads only: setup.sh makes the state that it reports. After notes_i386_detect, the answer
# it found, so that a script asks once (each asking runs the probe program).
notes_i386_mode() {
  if [ -n "${notes_i386_known:-}" ]; then
    echo "$notes_i386_known"
  elif [ "${NOTES_I386:-auto}" = off ] || [ ! -x "$NOTES_WINE32" ]; then
    echo unavailable
  elif [ -n "$(notes_i386_binfmt_entries)" ]; then
    notes_run_i386_probe && echo emulated || echo unavailable
  elif notes_run_i386_probe; then
    echo native
  else
    echo unavailable
  fi
}

notes_i386_detect() {
  notes_i386_known=''
  notes_i386_known=$(notes_i386_mode)
}

# One line for people: the mode and how it came about.
notes_i386_describe() {
  case $(notes_i386_mode) in
  native) echo "native (the kernel runs i386 Wine)" ;;
  emulated)
    local entry qemu
    entry=$(notes_i386_binfmt_entries | head -n 1)
    qemu=$(sed -n 's/^interpreter //p' "$entry")
    echo "emulated (i386 Wine under $("$qemu" --version 2>/dev/null | head -n 1 |
      sed 's/ *(.*//'), through binfmt_misc)"
    ;;
  *)
    if [ "${NOTES_I386:-auto}" = off ]; then
      echo "unavailable (NOTES_I386=off)"
    elif [ -s "$NOTES_I386_OUTCOME" ]; then
      echo "unavailable (set-up: $(cat "$NOTES_I386_OUTCOME"))"
    elif [ ! -x "$NOTES_WINE32" ]; then
      echo "unavailable (no i386 Wine: scripts/setup.sh installs it)"
    else
      echo "unavailable (neither the kernel nor qemu-user runs i386 code)"
    fi
    ;;
  esac
}
