#!/usr/bin/env bash
# Installs the Debian packages the build, the tools and the tests need; does nothing when all are present.
# Extra groups for the checking passes: `install-deps.sh fuzz` (clang, libFuzzer, the symbolizer),
# `install-deps.sh sanitize` (gcc's sanitizer run-times, normally there with the compiler).
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev zlib1g-dev
  libx11-dev libxext-dev libxtst-dev xvfb xauth
  libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libsndfile1-dev libcairo2-dev
  locales
)
for group in "$@"; do
  case "$group" in
    fuzz) packages+=(clang libclang-rt-14-dev llvm) ;;
    sanitize) packages+=(libasan8 libubsan1 libtsan2) ;;
    *) echo "install-deps: unknown group $group" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then sudo="sudo"; else
    echo "install-deps: missing packages (${missing[*]}) and not root; install them and retry" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
