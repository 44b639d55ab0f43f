#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need, when missing.
#   install-deps.sh native    compilers, CMake, GoogleTest, Google Benchmark
#   install-deps.sh windows   also the 32-bit mingw-w64 cross compiler, Wine, Xvfb and
#                             netpbm (the UI tests' screenshots to PNG)
#   install-deps.sh host      also the country files of contest loggers
#   install-deps.sh browser   also Chromium and a font, which render stats-host's score page in the tests,
#                             and its WebDriver with the Python client, which drive the log robot's form
#   install-deps.sh robot     also the HTTP library, SQLite, OpenSSL's digests and the JSON library
#                             that stats-host serve is built with
set -euo pipefail

want=(cmake g++ clang make libgtest-dev libbenchmark-dev libclang-rt-14-dev)
for kind in "$@"; do
  case "$kind" in
    native) ;;
    windows) want+=(g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386 xvfb xauth
                    fonts-wine netpbm) ;;
    host) want+=(hamradio-files) ;;
    browser) want+=(chromium fonts-dejavu-core chromium-driver python3-selenium) ;;
    robot) want+=(libcpp-httplib-dev libsqlite3-dev libssl-dev nlohmann-json3-dev) ;;
    *) echo "install-deps.sh: unknown kind '$kind'" >&2; exit 2 ;;
  esac
done

missing=()
for pkg in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
if printf '%s\n' "${missing[@]}" | grep -q ':i386$'; then
  dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
fi
echo "Installing: ${missing[*]}" >&2
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
