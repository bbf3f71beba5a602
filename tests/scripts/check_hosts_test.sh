#!/usr/bin/env bash
# scripts/check-hosts.sh on throwaway repositories: it must fail on a host of the archive
# domains in a tracked file or a commit message, and on nothing else.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
# The archive this machine's apt takes packages from, found as check-hosts.sh finds it, so
# that no file of ours names one. A machine without one leaves the host cases out.
archive_host=$(apt-get indextargets --format '$(SITE)' 2>/dev/null |
  sed -E 's#^[a-z+]+://##; s#^[^@/]*@##; s#[/:].*##' | grep -m1 . || true)

repo_with() {  # directory; then "file content" pairs, committed with the message in $message
  local dir=$work/$1
  shift
  git init -q "$dir"
  while [ $# -gt 0 ]; do
    mkdir -p "$(dirname "$dir/$1")"
    printf '%s\n' "$2" >"$dir/$1"
    git -C "$dir" add "$1"
    shift 2
  done
  git -C "$dir" -c user.name=t -c user.email=t@invalid commit -q -m "$message"
  echo "$dir"
}

check() {  # name, expected status, expected text in the output, repository
  local output status=0
  output=$("$root/scripts/check-hosts.sh" "$4" 2>&1) || status=$?
  if [ "$status" -eq "$2" ] && grep -qF -- "$3" <<<"$output"; then
    echo "ok   $1"
  else
    echo "FAIL $1 (status $status)"
    echo "$output" | sed 's/^/  /'
    failures=$((failures + 1))
  fi
}

message="A first commit"
check "a clean repository passes" 0 "no tracked file" \
  "$(repo_with clean README "Install with apt-get." scripts/x.sh "echo debian")"
if [ -n "$archive_host" ]; then
  check "a host in a tracked file fails, named by file and line" 1 "sources.list:2:" \
    "$(repo_with file README "fine" etc/sources.list $'# ours\ndeb http://'"$archive_host"'/debian bookworm main')"
  message="Take packages from http://$archive_host/debian"
  check "a host in a commit message fails" 1 "commit messages name" \
    "$(repo_with message README "fine")"
  message="A first commit"
  dir=$(repo_with untracked README "fine")
  echo "deb http://$archive_host/debian bookworm main" >"$dir/left-over.list"
  check "an untracked file does not count" 0 "no tracked file" "$dir"
else
  echo "skip the host cases: this machine's apt names no archive"
fi
mkdir -p "$work/plain"
check "a directory that is no checkout is not checked" 0 "not a git checkout" "$work/plain"

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
