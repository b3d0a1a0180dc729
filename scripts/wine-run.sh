#!/usr/bin/env bash
# Runs a Windows program under Wine in the build folder's own prefix, creating
# the prefix on first use. WINEPREFIX may be set by the caller to override.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/wine-env.sh" || exit
exec wine "$@"
