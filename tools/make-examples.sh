#!/usr/bin/env bash
# Regenerates the bundled example signals with sox.
set -euo pipefail
cd "$(dirname "$0")/../resources/EXAMPLES"
# Stereo, 3 s at 22050 Hz: a rising sweep with a little noise on the left, a chord on the right.
sox -n -r 22050 -b 16 -c 1 left.wav synth 3 sine 100-3000 synth 3 whitenoise mix gain -n -6 gain -14
sox -n -r 22050 -b 16 -c 1 right.wav synth 3 sine 440 synth 3 sine mix 660 synth 3 sine mix 880 gain -n -8
sox -M left.wav right.wav example.wav
rm -f left.wav right.wav
