# Shared by scripts/run and scripts/test: install what is missing, build.

VEK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
VEK_BUILD="${VEK_BUILD:-$VEK_ROOT/build}"

# Debian 12 packages the build, the tests and the run need.
VEK_PACKAGES=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
  libgtest-dev libgmock-dev
  openssl
  libqt6sql6-sqlite libqt6sql6-psql postgresql
  fonts-dejavu-core fonts-dejavu-extra
  xvfb xauth
  qt6-translations-l10n
)

vek_install_deps() {
  local missing=()
  for p in "${VEK_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

vek_build() {
  cmake -S "$VEK_ROOT" -B "$VEK_BUILD" -DCMAKE_BUILD_TYPE="${VEK_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
  cmake --build "$VEK_BUILD" -j"$(nproc)" "$@"
}
