# Sourced: configure and build one tree. sfp_build KIND (win64 | win32 | native | fuzz)
sfp_build() {
  local kind=$1 dir="$SFP_ROOT/build/$1"
  local args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
  case "$kind" in
    win64) args+=(-DCMAKE_TOOLCHAIN_FILE="$SFP_ROOT/cmake/toolchain-x86_64-w64-mingw32.cmake") ;;
    win32) args+=(-DCMAKE_TOOLCHAIN_FILE="$SFP_ROOT/cmake/toolchain-i686-w64-mingw32.cmake") ;;
    native) args+=(-DSFP_SANITIZE=ON) ;;
    fuzz) args+=(-DSFP_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  esac
  # A compiler cache, when the machine has one, makes rebuilds in other clones cheap.
  command -v ccache >/dev/null &&
    args+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  mkdir -p "$SFP_ROOT/build"
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$SFP_ROOT" -B "$dir" "${args[@]}" >"$dir.configure.log" 2>&1 ||
      { cat "$dir.configure.log"; return 1; }
  fi
  cmake --build "$dir" -j"$(nproc)"
}
