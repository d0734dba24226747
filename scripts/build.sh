# Sourced: configure and build one tree.
# sfp_build KIND [TARGET...]: KIND is win64, win32, native (with the sanitizers) or
# fuzz, or bench-win64, bench-win32, bench-native (the same without the sanitizers, in
# trees of their own for the benchmarks); with targets, only what they need is built.
# SFP_BUILD_JOBS sets the parallel jobs (all CPUs).
sfp_build() {
  local kind=$1 dir="$SFP_ROOT/build/$1"
  shift
  local args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
  case "$kind" in
    win64 | bench-win64) args+=(-DCMAKE_TOOLCHAIN_FILE="$SFP_ROOT/cmake/toolchain-x86_64-w64-mingw32.cmake") ;;
    win32 | bench-win32) args+=(-DCMAKE_TOOLCHAIN_FILE="$SFP_ROOT/cmake/toolchain-i686-w64-mingw32.cmake") ;;
    native) args+=(-DSFP_SANITIZE=ON) ;;
    bench-native) args+=(-DSFP_SANITIZE=OFF) ;;
    fuzz) args+=(-DSFP_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
    *) echo "sfp_build: no such tree: $kind" >&2; return 1 ;;
  esac
  # A compiler cache, when the machine has one, makes rebuilds in other clones cheap.
  command -v ccache >/dev/null &&
    args+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  mkdir -p "$SFP_ROOT/build"
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$SFP_ROOT" -B "$dir" "${args[@]}" >"$dir.configure.log" 2>&1 ||
      { cat "$dir.configure.log"; return 1; }
  fi
  cmake --build "$dir" -j"${SFP_BUILD_JOBS:-$(nproc)}" ${1:+--target "$@"}
}

# What running the program needs: the program, the driver, the simulated VISA and
# the probe that watches its windows.
sfp_program_targets=(tgq3207sfp tgq3207_32 sfp_visa_sim_dll sfpprobe)
