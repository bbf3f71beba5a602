#!/usr/bin/env bash
# The release package: built twice it is the same bytes, it passes check-release.py, the
# stripped program keeps every section it runs from, and the checker catches the faults a
# package can have (so a green check means something).
# Usage: release_test.sh <built Notes.exe> <strip> <objdump>
set -euo pipefail
exe=$1 strip=$2 objdump=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
version=$(sed -n 's/^#define NOTES_VERSION_TEXT "\(.*\)"$/\1/p' "$root/resources/version.h")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
zip=Notes-$version-win32.zip
failed=0
fail() { echo "FAIL: $*"; failed=1; }

"$strip" --strip-all -o "$work/Notes.exe" "$exe"
# Stripping drops symbols and debug information only: every section the program is loaded
# from keeps its address, size and bytes (only its place in the file moves up).
loaded() {  # name, size and address of each section that is loaded
  "$objdump" -h "$1" | awk '/^ *[0-9]+ /{s=$2" "$3" "$4} /ALLOC/{print s}'
}
[ -n "$(loaded "$exe")" ] || fail "no loaded sections found in $exe"
[ "$(loaded "$exe")" = "$(loaded "$work/Notes.exe")" ] || fail "stripping moved or resized sections"
while read -r name _; do
  cmp -s <("$objdump" -s -j "$name" "$exe" | tail -n +4) \
         <("$objdump" -s -j "$name" "$work/Notes.exe" | tail -n +4) ||
    fail "stripping changed the bytes of $name"
done < <(loaded "$exe")

cp "$root/docs/user-guide.txt" "$work/guide.txt"
python3 "$root/scripts/package-release.py" "$work/Notes.exe" "$work/guide.txt" "$version" "$work/a" >/dev/null
# Later times and another directory must not change a byte.
sleep 1.1
touch "$work/Notes.exe" "$work/guide.txt"
python3 "$root/scripts/package-release.py" "$work/Notes.exe" "$work/guide.txt" "$version" "$work/b" >/dev/null
cmp -s "$work/a/$zip" "$work/b/$zip" || fail "two packagings of the same files differ"
cmp -s "$work/a/$zip.sha256" "$work/b/$zip.sha256" || fail "the checksum files differ"
(cd "$work/a" && sha256sum --quiet -c "$zip.sha256") || fail "sha256sum -c rejects the checksum file"
python3 "$root/scripts/check-release.py" "$work/a/$zip" "$version" || fail "the package has faults"

# Packages with one fault each; the checker must name it.
bad() {  # name, expected fault text, then a command that spoils $pkg
  local name=$1 expected=$2
  shift 2
  local pkg=$work/bad-$name
  mkdir -p "$pkg"
  cp "$work/a/$zip" "$work/a/$zip.sha256" "$pkg/"
  (cd "$pkg" && eval "$*")
  local out
  if out=$(python3 "$root/scripts/check-release.py" "$pkg/$zip" "$version"); then
    fail "$name: the checker passed a spoilt package"
  elif ! grep -qF -- "$expected" <<<"$out"; then
    fail "$name: expected a fault saying '$expected', got: $out"
  fi
}
repack() {  # rewrites the zip with the given python edits of `files` and `stamp`
  python3 - "$zip" "$1" <<'PY'
import hashlib, sys, zipfile
path, edit = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(path) as z:
    files = {i.filename: z.read(i) for i in z.infolist()}
stamp = (1980, 1, 1, 0, 0, 0)
exec(edit)
with zipfile.ZipFile(path, "w") as z:
    for name, data in files.items():
        z.writestr(zipfile.ZipInfo(name, stamp), data)
digest = hashlib.sha256(open(path, "rb").read()).hexdigest()
open(path + ".sha256", "w").write(f"{digest}  {path}\n")
PY
}
# Whatever the first digit of the digest is, it becomes another one.
bad checksum "holds" "sed -i 's/^0/x/; s/^[^x]/0/; s/^x/1/' $zip.sha256"
bad lf-guide "line ends other than CRLF" \
  "repack 'files[\"Notes/user-guide.txt\"] = files[\"Notes/user-guide.txt\"].replace(b\"\\r\\n\", b\"\\n\")'"
bad no-bom "byte-order mark" \
  "repack 'files[\"Notes/user-guide.txt\"] = files[\"Notes/user-guide.txt\"][3:]'"
bad clock-time "time stamp" "repack 'stamp = (2026, 12, 8, 9, 30, 0)'"
bad unsorted "entries are" \
  "repack 'files = dict(reversed(list(files.items())))'"
bad loose-files "entries are" \
  "repack 'files = {k.split(\"/\")[1]: v for k, v in files.items()}'"
bad unstripped "not stripped" \
  "repack 'files[\"Notes/Notes.exe\"] = open(\"$exe\", \"rb\").read()'"
bad no-version "VERSIONINFO" \
  "repack 'files[\"Notes/Notes.exe\"] = files[\"Notes/Notes.exe\"].replace(\"VS_VERSION_INFO\".encode(\"utf-16-le\"), \"XX_VERSION_INFO\".encode(\"utf-16-le\"))'"
bad require-admin "asInvoker" \
  "repack 'files[\"Notes/Notes.exe\"] = files[\"Notes/Notes.exe\"].replace(b\"asInvoker\", b\"highestAv\")'"

exit $failed
