#!/usr/bin/env bash
# Writes the six character voices into data/: ELNA1-3.wav and MIRABE1-3.wav.
# Developer tool, not part of the build: needs espeak-ng and sox
# (apt-get install espeak-ng sox). Debian 12 ships no Japanese voice for
# open-jtalk's HTS engine in main, so espeak-ng's Japanese voice speaks the
# lines, written in kana, which it reads reliably. Each character then gets
# her own colour with sox: ELNA higher and brighter, MIRABE lower and cooler.
set -euo pipefail

out="${1:-$(cd "$(dirname "$0")/../../data" && pwd)}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# speak NAME VARIANT PITCH SPEED SOX-EFFECTS... TEXT
speak() {
  local name="$1" variant="$2" pitch="$3" speed="$4" text="${*: -1}"
  local effects=("${@:5:$#-5}")
  espeak-ng -v "ja+${variant}" -p "$pitch" -s "$speed" -w "$work/$name.raw.wav" "$text"
  # 22.05 kHz mono 16-bit as spoken; trim the silence around the line, fade
  # its edges so a restart never clicks, leave room for the colour's tail,
  # colour it and normalise.
  sox "$work/$name.raw.wav" -r 22050 -c 1 -b 16 "$out/$name.wav" \
    silence 1 0.02 0.5% reverse silence 1 0.02 0.5% fade t 0.04 reverse fade t 0.01 \
    pad 0 0.1 "${effects[@]}" norm -1
  echo "$out/$name.wav: $(soxi -D "$out/$name.wav") s"
}

# ELNA: bright, quick, a touch of presence.
speak ELNA1 f5 70 165 pitch 300 treble 4 3000 "やったね！"
speak ELNA2 f5 70 160 pitch 300 treble 4 3000 "いいかんじ！"
speak ELNA3 f5 55 140 pitch 250 treble 3 3000 "うそー、まけちゃった…"
# MIRABE: lower, slower, cooler (less treble, a little room).
speak MIRABE1 f2 40 150 pitch -150 bass 2 200 reverb 15 "いただきっ！"
speak MIRABE2 f2 40 140 pitch -150 bass 2 200 reverb 15 "ふふっ、らくしょうね！"
speak MIRABE3 f2 45 145 pitch -100 bass 2 200 reverb 15 "くやしーい！"
