# Shared by the scripts: install what is missing, build.

VEK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
VEK_BUILD="${VEK_BUILD:-$VEK_ROOT/build}"
# The machine is shared: two compile jobs at most unless told otherwise.
VEK_JOBS="${VEK_JOBS:-2}"

# Debian 12 packages the build, the tests and the run need.
VEK_PACKAGES=(
  cmake make ninja-build g++ pkg-config lld
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
  libgtest-dev libgmock-dev
  openssl
  libqt6sql6-sqlite libqt6sql6-psql postgresql
  fonts-dejavu-core fonts-dejavu-extra
  xvfb xauth
  qt6-translations-l10n qt6-tools-dev qt6-l10n-tools
  # the package and its checks (scripts/package)
  dpkg-dev file gzip man-db lintian desktop-file-utils appstream
)

# scripts/windows: the MinGW-w64 cross compiler (the posix flavour), the
# GoogleTest source to build for it, and Wine, 64-bit only (wine is its
# launcher, wine64 the loader).
VEK_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix googletest wine wine64)

# clang and its sanitizer runtimes: the sanitizer build of scripts/test and
# the fuzz targets of scripts/fuzz (each installs them itself).
VEK_CLANG_PACKAGES=(clang libclang-rt-14-dev)

vek_install() {  # vek_install PACKAGE...: installs those not installed yet
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

vek_install_deps() {
  vek_install "${VEK_PACKAGES[@]}"
}

# Debian's build flags, hardening included, as cmake arguments (one a line):
# the optimisation is Debian's (-O2, build type None). VEK_DEBUG_INFO=0
# leaves out -g.
vek_debian_flags() {
  local cxx ld
  export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
  # From the source folder: the file prefix map names it.
  cxx="$(cd "$VEK_ROOT" && dpkg-buildflags --get CPPFLAGS) $(cd "$VEK_ROOT" && dpkg-buildflags --get CXXFLAGS)"
  ld="$(cd "$VEK_ROOT" && dpkg-buildflags --get LDFLAGS)"
  if [ "${VEK_DEBUG_INFO:-1}" = 0 ]; then
    cxx="$(sed -E 's/(^| )-g( |$)/ /g' <<<"$cxx")"
  fi
  printf '%s\n' -DCMAKE_BUILD_TYPE=None "-DCMAKE_CXX_FLAGS=$cxx" "-DCMAKE_EXE_LINKER_FLAGS=$ld"
}

# VEK_WERROR=1 (CI) makes the project's warnings errors.
vek_werror() {
  if [ "${VEK_WERROR:-0}" = 1 ]; then echo -DVEK_WERROR=ON; else echo -DVEK_WERROR=OFF; fi
}

# vek_generator DIR: Ninja for a build folder made now (it keeps every core
# busy across targets, where make waits for each one); a folder that already
# exists keeps the generator it was made with.
vek_generator() {
  if [ ! -f "$1/CMakeCache.txt" ] && command -v ninja >/dev/null; then echo -GNinja; fi
}

# vek_build [cmake --build options...], into $VEK_BUILD: a RelWithDebInfo
# build (VEK_BUILD_TYPE), or with VEK_BUILD_FLAGS=debian one with Debian's
# flags, from which scripts/package can make the package as it is.
vek_build() {
  local args=(-DCMAKE_BUILD_TYPE="${VEK_BUILD_TYPE:-RelWithDebInfo}")
  if [ "${VEK_BUILD_FLAGS:-}" = debian ]; then
    mapfile -t args < <(vek_debian_flags)
    # The package's flags, for the programs as shipped and the tests that
    # run them; scripts/test compiles the benchmarks in its sanitizer build.
    args+=(-DVEK_BENCH=OFF)
  fi
  args+=("$(vek_werror)")
  cmake -S "$VEK_ROOT" -B "$VEK_BUILD" $(vek_generator "$VEK_BUILD") "${args[@]}" >/dev/null
  cmake --build "$VEK_BUILD" -j"$VEK_JOBS" "$@"
}
