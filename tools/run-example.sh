#!/usr/bin/env bash
# Installs, builds and starts the workstation on the bundled spectral-analysis example workspace.
# Without a display it runs under Xvfb, saves a screenshot of the main window and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh --target marlune32 Sonvert
example="build/bin/EXAMPLES/spectral-analysis.mws"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/marlune32 "$example"
fi
shot="$(pwd)/build/marlune-screenshot.png"
rm -f "$shot"
xvfb-run -a -s "-screen 0 1280x800x24" build/bin/marlune32 --screenshot "$shot" "$example"
echo "$shot"
