# Shared set-up for scripts/test and scripts/demo: the Debian packages the
# builds and tests need, installed when missing.
# shellcheck shell=bash

OMBRIX_PACKAGES=(
  cmake ninja-build g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64 wine wine64 bc libassimp-dev libstb-dev nlohmann-json3-dev clang libclang-rt-14-dev
  assimp-testmodels libtinyobjloader-dev python3-dev
)

ombrix_missing_packages() {
  local pkg status
  for pkg in "${OMBRIX_PACKAGES[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = installed ] || printf '%s\n' "$pkg"
  done
}

# Installs whatever is missing; without root prints the apt-get line and fails.
ombrix_ensure_packages() {
  local missing
  mapfile -t missing < <(ombrix_missing_packages)
  [ "${#missing[@]}" -eq 0 ] && return 0
  local line="apt-get install -y --no-install-recommends ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages; as root run:" >&2
    echo "  apt-get update && $line" >&2
    return 1
  fi
  echo "installing: ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The private Wine prefix of the windows build (null graphics driver).
ombrix_wine_prefix() {
  local root=$1
  export WINEPREFIX="$root/build/windows/wineprefix"
  export WINEDEBUG=-all
  "$root/cmake/wine-prefix" "$WINEPREFIX"
}
