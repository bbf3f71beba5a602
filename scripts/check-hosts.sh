#!/usr/bin/env bash
# Fails when a tracked file or a commit message of the checked-out history names a package
# archive's host: the hosts this machine's apt configuration uses, and any host under the
# Debian and Ubuntu archive domains. Set-up takes the archive from the machine's own apt
# configuration at run time; nothing of ours may name one. Usage: check-hosts.sh [repository]
set -euo pipefail
repo=${1:-$(cd "$(dirname "$0")/.." && pwd)}
if ! git -C "$repo" rev-parse --git-dir >/dev/null 2>&1; then
  echo "check-hosts: $repo is not a git checkout; nothing to check"
  exit 0
fi

# This machine's archives, as apt names them (scheme and path removed).
hosts=$(apt-get indextargets --format '$(SITE)' 2>/dev/null |
  sed -E 's#^[a-z+]+://##; s#^[^@/]*@##; s#[/:].*##' | sort -u || true)
pattern='[A-Za-z0-9-]+(\.[A-Za-z0-9-]+)*\.(debian\.(org|net)|ubuntu\.com)'
for host in $hosts; do pattern+="|$(printf '%s' "$host" | sed 's/[.[\*^$+?(){}|]/\\&/g')"; done

status=0
if found=$(git -C "$repo" grep -nIE "$pattern" -- . | cut -c1-200) && [ -n "$found" ]; then
  echo "check-hosts: tracked files name a package archive's host:"
  echo "$found" | sed 's/^/  /'
  status=1
fi
if found=$(git -C "$repo" log --format='%h %s%n%b' | grep -nE "$pattern" | cut -c1-200) &&
  [ -n "$found" ]; then
  echo "check-hosts: commit messages name a package archive's host:"
  echo "$found" | sed 's/^/  /'
  status=1
fi
[ $status -ne 0 ] || echo "check-hosts: no tracked file or commit message names a package archive's host"
exit $status
