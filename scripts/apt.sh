# shellcheck shell=bash
# Sourced by setup.sh: apt tried again when an archive is mid-sync, never allowed to remove a
# package, messages that say which index or package failed, the archive taken from the
# machine's own apt configuration, and the versions that let i386 libraries in beside their
# amd64 halves. No archive's address is written here or printed: the machine's apt
# configuration holds them.

notes_as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# Pauses before the second and third try; a mirror that is syncing serves indices whose size
# or hash do not match what its Release file says, for minutes at a time.
NOTES_APT_PAUSE=${NOTES_APT_PAUSE:-10}
notes_apt_log=$(mktemp "${TMPDIR:-/tmp}/notes-apt.XXXXXX")

# apt's messages without the archives' addresses: an index is named by its path below dists/.
notes_apt_plain() {
  sed -E 's#[a-z+]+://[^ ]*/dists/##g; s#[a-z+]+://[^/ ]+#<archive>#g; s# *\[IP: [^]]*\]##g'
}

# apt-get <arguments>, up to three times with growing pauses; its output of the last try is
# in $notes_apt_log.
notes_apt_try() {
  local try pause=$NOTES_APT_PAUSE
  for try in 1 2 3; do
    if notes_as_root env DEBIAN_FRONTEND=noninteractive apt-get "$@" >"$notes_apt_log" 2>&1; then
      return 0
    fi
    [ "$try" -lt 3 ] || break
    echo "setup: apt-get $1 failed (try $try of 3), trying again in ${pause} s:"
    notes_apt_errors | sed 's/^/setup:   /'
    sleep "$pause"
    pause=$((pause * 3))
  done
  return 1
}

# The errors of the last apt-get, one a line.
notes_apt_errors() {
  grep -E '^(E|W):|^ [^ ].* : (Pre)?Depends:|^ +(Pre)?Depends:' "$notes_apt_log" | notes_apt_plain |
    head -n 30
}

# The indices the last `apt-get update` could not read, one a line ("bookworm-security/main/
# binary-i386/Packages.xz  File has unexpected size ...").
notes_apt_failed_indices() {
  grep -E '^(E|W): Failed to fetch ' "$notes_apt_log" | notes_apt_plain |
    sed -E 's/^(E|W): Failed to fetch //; s/ +/ /g'
}

# Reads `apt-get indextargets --format '$(TARGET_OF)|$(RELEASE)|$(REPO_URI)|$(SOURCESENTRY)'`
# and prints the first deb source that serves <suite> as "URI|FILE:ENTRY".
notes_source_serving() {  # suite
  awk -F'|' -v suite="$1" '$1 == "deb" && $2 == suite { print $3 "|" $4; exit }'
}

# The Signed-By value of a source entry, as it stands there: a key file, or a key written
# into a deb822 entry (continuation lines kept). Nothing when the entry has none.
notes_source_signed_by() {  # FILE:ENTRY (a stanza number in .sources, a line in .list)
  local file=${1%:*} entry=${1##*:}
  case $file in
  *.sources)
    awk -v want="$entry" '
      /^#/ { next }
      /^[[:space:]]*$/ { open = 0; next }
      !open { stanza++; open = 1; field = "" }
      stanza != want { next }
      /^[^ \t]/ { field = tolower($0); sub(/:.*/, "", field) }
      field == "signed-by" {
        line = $0
        if (line ~ /^[^ \t]/) sub(/^[^:]*:[[:space:]]*/, "", line)
        if (line != "") print line
      }
    ' "$file"
    ;;
  *)
    sed -n "${entry}p" "$file" | sed -nE 's/.*\[[^]]*signed-by=([^] ]+).*/\1/p'
    ;;
  esac
}

# A deb822 entry for <suite> from the archive that serves <base suite> on this machine, with
# that entry's key. Fails, saying so, where no source serves <base suite>.
notes_derived_source() {  # suite, base suite; indextargets lines (as above) on stdin
  local found uri entry signed
  found=$(notes_source_serving "$2")
  if [ -z "$found" ]; then
    echo "setup: no apt source serves $2 (looked in /etc/apt/sources.list and" \
      "/etc/apt/sources.list.d/*.list|*.sources); add the Debian archive you use for $2," \
      "then run set-up again" >&2
    return 1
  fi
  uri=${found%%|*}
  entry=${found#*|}
  signed=$(notes_source_signed_by "$entry")
  echo "# Made by the Notes set-up from the machine's source for $2 ($entry)."
  echo "Types: deb"
  echo "URIs: $uri"
  echo "Suites: $1"
  echo "Components: main"
  case $signed in
  '') ;;
  ' '* | $'\t'*) printf 'Signed-By:\n%s\n' "$signed" ;;  # a key written into the entry
  *) printf 'Signed-By: %s\n' "$signed" ;;
  esac
}

# Reads "arch package version multi-arch" lines (every version apt knows of, the installed
# ones included) and prints, for each Multi-Arch: same package whose i386 half is wanted and
# whose amd64 half is installed or about to be, the version both halves must have:
#   pin <package> <version>    the newest version both architectures have, no older than
#                              the installed amd64 half (so never a downgrade)
#   block <package> <amd64 installed> <newest i386>   when there is none
# Backported versions ("~bpo") are left out: the backports source is there for qemu-user
# alone, and a library pinned up to its backport takes the installed programs built against
# the stable one (gdb with elfutils' libraries) away.
notes_pair_versions() {  # file of installed amd64 "package version" lines, file of amd64 packages to come
  local installed=$1 coming=$2 arch pkg ver ma best inst v newest
  declare -A i386 amd64 same have
  while read -r arch pkg ver ma; do
    [[ $ver != *~bpo* ]] || continue
    case $arch in
    i386)
      i386[$pkg]+=" $ver"
      [ "$ma" = same ] && same[$pkg]=1
      ;;
    amd64) amd64[$pkg]+=" $ver" ;;
    esac
  done
  while read -r pkg ver _; do have[$pkg]=$ver; done <"$installed"
  for pkg in "${!same[@]}"; do
    inst=${have[$pkg]:-}
    [ -n "$inst" ] || grep -Fqx "$pkg" "$coming" || continue
    best='' newest=''
    for v in ${i386[$pkg]}; do
      { [ -z "$newest" ] || dpkg --compare-versions "$v" gt "$newest"; } && newest=$v
      [[ " ${amd64[$pkg]:-} $inst " == *" $v "* ]] || continue
      [ -z "$inst" ] || dpkg --compare-versions "$v" ge "$inst" || continue
      { [ -z "$best" ] || dpkg --compare-versions "$v" gt "$best"; } && best=$v
    done
    if [ -n "$best" ]; then echo "pin $pkg $best"; else echo "block $pkg ${inst:-none} $newest"; fi
  done | sort
}

# A library and the packages built with it (its -dev package, ...) go up together, or apt
# would have to remove the others. Reads the plan ("pin package version" lines) and prints
# the installed amd64 packages made from the same source as a pinned one ("package version
# source" lines in <installed>), other than the pinned ones.
notes_pair_siblings() {  # plan file, installed file
  awk 'FNR == NR { if ($1 == "pin") pinned[$2] = 1; next }
       { source[$1] = $3; line[FNR] = $0; name[FNR] = $1 }
       END {
         for (p in pinned) if (p in source) wanted[source[p]] = 1
         for (i in name) if (!(name[i] in pinned) && (source[name[i]] in wanted)) print name[i]
       }' "$1" "$2" | sort -u
}

# Pins for those siblings: the version of the pinned package of their source, where the
# sibling has it ("arch package version multi-arch" lines in <versions>) and it is no older
# than the installed one; a sibling without it is left to apt (which then says why).
notes_sibling_pins() {  # plan file, installed file, versions file
  local kind pkg ver src want
  declare -A pin_of_source available
  while read -r kind pkg ver; do
    [ "$kind" = pin ] || continue
    src=$(awk -v p="$pkg" '$1 == p { print $3; exit }' "$2")
    [ -z "$src" ] || pin_of_source[$src]=$ver
  done <"$1"
  while read -r _ pkg ver _; do available[$pkg]+=" $ver "; done <"$3"
  while read -r pkg ver src; do
    want=${pin_of_source[$src]:-}
    [ -n "$want" ] && [ "$want" != "$ver" ] || continue
    grep -q "^pin $pkg " "$1" && continue
    [[ ${available[$pkg]:-} == *" $want "* ]] || continue
    dpkg --compare-versions "$want" gt "$ver" && echo "pin $pkg $want"
  done <"$2"
}

# apt preferences that make those versions the candidates, for one apt-get command.
notes_pin_preferences() {  # "pin package version" lines on stdin
  local kind pkg ver arch
  while read -r kind pkg ver; do
    [ "$kind" = pin ] || continue
    for arch in i386 amd64; do
      printf 'Package: %s:%s\nPin: version %s\nPin-Priority: 990\n\n' "$pkg" "$arch" "$ver"
    done
  done
}

# The packages apt-get would bring in for <packages>: every name their Depends and
# Pre-Depends reach, alternatives included ("name" or "name:i386").
notes_apt_closure() {
  apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances "$@" 2>/dev/null | grep -v '^[ <]' | sort -u
}

# Every version of <packages> apt knows of, as "arch package version multi-arch" lines.
notes_apt_versions() {
  apt-cache show "$@" 2>/dev/null | awk '
    /^Package:/ { p = $2 } /^Version:/ { v = $2 } /^Architecture:/ { a = $2 }
    /^Multi-Arch:/ { m = $2 }
    /^$/ { if (p != "") print a, p, v, (m == "" ? "no" : m); p = v = a = m = "" }
    END { if (p != "") print a, p, v, (m == "" ? "no" : m) }'
}
