#!/usr/bin/env bash
# Starts the program from a build folder, against the simulated ECU that the
# build placed beside it. Usage: scripts/start.sh BUILD_DIR [args...]
set -euo pipefail
build="${1:?build folder}"
shift || true
bin="$build/bin"
if [ -x "$bin/orvconfig" ]; then
  cd "$bin"
  exec ./orvconfig "$@"
fi
if [ -x "$bin/lcetool" ]; then
  echo "The program's windows are not built yet; starting lcetool, the command-line companion."
  cd "$bin"
  exec ./lcetool "${@:---help}"
fi
echo "Nothing to start yet: the build produced neither orvconfig nor lcetool." >&2
exit 1
