#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's test prefix with code page 932.
# The prefix is made on first use; tools/wine-env.sh holds the settings.
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/wine-env.sh"
mepu_wine_prefix_ready || exit 1
exec wine "$@"
