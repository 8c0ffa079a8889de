# Shared by scripts/run.sh and scripts/test.sh: packages, build trees, the
# project's own Wine prefix and a private X display. Source it; do not run it.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${CORVANDEL_BUILD:-$ROOT/build}
NATIVE_BUILD=$BUILD/native
WINDOWS_BUILD=$BUILD/windows
FUZZ_BUILD=$BUILD/fuzz
FUZZ_TARGETS=(reg_file language history cli)
DIST=$ROOT/dist
export WINEPREFIX=$WINDOWS_BUILD/wineprefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64

PACKAGES=(cmake ninja-build g++ googletest libgtest-dev g++-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xdotool x11-utils imagemagick fp-utils clang libclang-rt-14-dev nlohmann-json3-dev libpugixml-dev)

log() { printf '== %s\n' "$*"; }

ensure_packages() {
  local missing=() p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Install them with:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  log "installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q >/dev/null
  apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
}

# ccache, where installed, makes rebuilds of unchanged sources (another work
# tree, a clean build) nearly free.
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$ROOT}

configure_native() {
  cmake -S "$ROOT" -B "$NATIVE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANDEL_WERROR=ON "${LAUNCHER[@]}" >/dev/null
}

configure_fuzz() {
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANDEL_FUZZ=ON \
    "${LAUNCHER[@]}" >/dev/null
}

# Runs one fuzz target over its committed seeds and the inputs found so far,
# for at most the given number of inputs and seconds; a finding is saved in
# build/fuzz-findings/. Output to the named log.
run_fuzz_target() {  # target, runs, seconds, log
  local target=$1 corpus=$FUZZ_BUILD/corpus/$1
  mkdir -p "$corpus" "$BUILD/fuzz-findings"
  (cd "$FUZZ_BUILD" && "$FUZZ_BUILD/tests/fuzz/fuzz_$target" -runs="$2" -max_total_time="$3" -print_final_stats=1 \
    -artifact_prefix="$BUILD/fuzz-findings/$target-" "$corpus" "$ROOT/tests/fuzz/corpus/$target") >"$4" 2>&1
}

configure_windows() {
  cmake -S "$ROOT" -B "$WINDOWS_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANDEL_WERROR=ON "${LAUNCHER[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" -DCORVANDEL_DIST_DIR="$DIST" >/dev/null
}

# The prefix is made once per build tree, with Windows XP as the Windows
# version so that the version gates pass; tests copy it when they need a clean
# registry.
ensure_wine_prefix() {
  [ -f "$WINEPREFIX/.corvandel-ready" ] && return 0
  log "creating the Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  # No Mono or Gecko installer prompts: neither can be fetched here.
  WINEDLLOVERRIDES="mscoree=;mshtml=" wineboot -i </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine' /v Version /d winxp64 /f </dev/null >/dev/null 2>&1
  # No window manager runs under Xvfb: with every window unmanaged, Wine does
  # not wait two seconds for one each time an active window goes.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  wineserver -w
  # Wine draws window frames with Marlett; Debian's Wine does not find the
  # fonts of fonts-wine by itself.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  touch "$WINEPREFIX/.corvandel-ready"
}

# Wine's background services inherit the caller's output; a detached
# wineserver keeps them from holding a pipe open.
start_wineserver() {
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

stop_wineserver() { wineserver -k >/dev/null 2>&1 || true; }

XVFB_PID=
start_xvfb() {
  local n
  for n in $(seq 90 120); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do
      [ -e /tmp/.X11-unix/X$n ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "could not start Xvfb" >&2
  return 1
}

stop_xvfb() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}
