#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building the whiteboard and the text pen plug-in,
# then configures and builds into build/. Quiet when everything is already there.
#   ./scripts/setup.sh [--packages-only [PACKAGE...]]
# --packages-only installs, with the project's packages, those a script needs besides, and stops there.
set -euo pipefail
cd "$(dirname "$0")/.."

packages_only=false
extra=()
if [ "${1:-}" = "--packages-only" ]; then
    packages_only=true
    extra=("${@:2}")
fi

# Boards are saved as ZIP containers (libzip) with an SVG picture of each page (Qt SVG). The
# recognizer reads handwriting with the trained model in models/ on OpenCV's network module, and
# spells it with each language's word list; Hebrew and Arabic, and any language when the model cannot
# be used, are read with Tesseract and its model of the language. The model is trained with PyTorch
# (training/, a test trains it a few steps; OpenBLAS keeps it fast, and the onnx package lets the
# export suit OpenCV). The measurements in bench/ are built with Google Benchmark. The tests read
# exported PDFs back with poppler's pdftotext.
packages=(g++ make cmake pkg-config qtbase5-dev qtbase5-dev-tools libboost-dev fonts-liberation
    libqt5svg5-dev libzip-dev zlib1g-dev
    libtesseract-dev tesseract-ocr-eng tesseract-ocr-deu tesseract-ocr-fra tesseract-ocr-heb tesseract-ocr-ara
    wamerican wbritish wngerman wfrench scowl hunspell-he hunspell-ar
    libopencv-dnn-dev python3-torch python3-numpy python3-onnx libopenblas0-pthread
    libbenchmark-dev poppler-utils "${extra[@]}")

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: missing packages: ${missing[*]}; run this as root to install them" >&2
        exit 1
    fi
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Other builds (scripts/sanitize.sh, scripts/fuzz.sh) need the same packages and configure their own tree.
if $packages_only; then
    exit 0
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"
