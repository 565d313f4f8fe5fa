#!/usr/bin/env bash
# Installs what the build needs, builds, and starts the program with the
# bundled writer simulator as its driver library.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
# The demo writer answers about as fast as a real full-speed USB writer, so
# progress can be watched. An existing configuration is left as it is.
state_dir=${ORBSIM_STATE_DIR:-build/bin/OrbSimState}
mkdir -p "$state_dir"
[ -f "$state_dir/config.json" ] || echo '{"latency_ms": 1}' > "$state_dir/config.json"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: starting the program on a virtual display (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x900x24" build/bin/Vantrell "$@"
fi
exec build/bin/Vantrell "$@"
