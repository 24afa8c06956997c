#!/usr/bin/env bash
# Makes the alarm's wave files in data/sounds: a short tone that tells the kind of event,
# followed by the words spoken. 16 kHz, mono, 16-bit, at most 1.5 seconds each.
#
# Needs espeak-ng and sox (only to make the files; building and testing do not need them):
#   apt-get install --no-install-recommends espeak-ng sox
set -euo pipefail
cd "$(dirname "$0")/.."
out=data/sounds
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

bodies=(Sun Moon Mercury Venus Mars Jupiter Saturn Uranus Neptune Pluto)
rulers=(Sun Moon Mercury Venus Mars Jupiter Saturn)  # only these rule planetary hours

# The tone of each kind: rising for a rise, falling for a set, high for the upper meridian,
# low for the lower one, two notes for an hour, one plain note for a name alone.
tone() {
  local kind=$1 file=$2
  local fmt=(-r 16000 -c 1 -b 16)
  case $kind in
    rises)   sox -n "${fmt[@]}" "$file" synth 0.22 sine 440:880 ;;
    sets)    sox -n "${fmt[@]}" "$file" synth 0.22 sine 880:440 ;;
    zeniths) sox -n "${fmt[@]}" "$file" synth 0.22 sine 988 ;;
    nadirs)  sox -n "${fmt[@]}" "$file" synth 0.22 sine 330 ;;
    hour)    sox -n "${fmt[@]}" "$work/a.wav" synth 0.11 sine 659
             sox -n "${fmt[@]}" "$work/b.wav" synth 0.11 sine 523
             sox "$work/a.wav" "$work/b.wav" "$file" ;;
    *)       sox -n "${fmt[@]}" "$file" synth 0.15 sine 587 ;;
  esac
  sox "$file" "$work/t.wav" fade 0.01 -0 0.04 vol 0.45
  mv "$work/t.wav" "$file"
}

# make NAME KIND TEXT: writes NAME.wav (lower case) from the tone of KIND and the spoken TEXT.
make() {
  local name=$1 kind=$2 text=$3
  tone "$kind" "$work/tone.wav"
  espeak-ng -v en-us -s 185 -a 160 -w "$work/speech-raw.wav" "$text"
  sox "$work/speech-raw.wav" -r 16000 -c 1 -b 16 "$work/speech.wav" vol 0.7 silence 1 0.02 1% reverse \
    silence 1 0.02 1% reverse
  sox "$work/tone.wav" "$work/speech.wav" "$work/joined.wav"
  sox -V1 "$work/joined.wav" -r 16000 -c 1 -b 16 "$out/${name,,}.wav" norm -1 trim 0 1.5 \
    fade 0 -0 0.03
}

for body in "${bodies[@]}"; do
  make "$body" name "$body"
  for kind in rises sets zeniths nadirs; do
    make "${body}_${kind}" "$kind" "$body $kind"
  done
done
for ruler in "${rulers[@]}"; do
  make "${ruler}_hour" hour "Hour of $ruler"
done
echo "made $(ls "$out"/*.wav | wc -l) wave files in $out"
