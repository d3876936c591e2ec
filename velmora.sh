#!/usr/bin/env bash
# Velmora's two commands:
#   ./velmora.sh run    install what is missing, build a release build and start it on a demo program folder
#   ./velmora.sh test   install what is missing, build the sanitizer test build and run every test headless
set -euo pipefail
cd "$(dirname "$0")"
here=$(pwd)

cmd=${1:-}
case "$cmd" in
  run|test) ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

bash scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)

if [ "$cmd" = run ]; then
  if [ ! -f build/release/build.ninja ]; then
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF >/dev/null
  fi
  cmake --build build/release -j "$jobs" -- --quiet
  bin="$here/build/release/bin"
  if [ -x "$bin/velmora-demo" ]; then "$bin/velmora-demo" "$bin" >/dev/null; fi
  exec "$bin/velmora"
fi

if [ ! -f build/test/build.ninja ]; then
  cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON >/dev/null
fi
cmake --build build/test -j "$jobs" -- --quiet
cd build/test
export QT_QPA_PLATFORM=offscreen
exec ctest --output-on-failure -j "$jobs" --timeout 600
