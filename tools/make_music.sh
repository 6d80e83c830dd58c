#!/bin/sh
# Synthesises the scene music loop "afterglow" with SoX: 32 s at 120 beats per minute
# (16 bars of 4/4), four chords in A minor (Am, F, C, G), two bars each, played twice:
# a soft sawtooth pad, an eighth-note bass, a plucked arpeggio with echoes, and a beat of
# kick, snare and hi-hats. Reverb and echo tails that run past the end are folded back
# onto the start, so the file repeats without a click or a gap.
#
#   tools/make_music.sh OUTPUT.ogg
#
# Needs Debian's sox (with its Ogg Vorbis support). Deterministic: the noise generator
# uses SoX's fixed seed (-R).
set -eu

out=${1:?usage: make_music.sh OUTPUT.ogg}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

SOX="sox -R -V1"
RATE=44100
BEAT=0.5          # seconds per beat at 120 bpm
EIGHTH=0.25
LOOP=32           # seconds in the loop
TAIL=4            # seconds of effect tails rendered past the loop and folded back

# Render a silent mono stretch of the given length.
silence() { $SOX -n -r $RATE -c 1 "$1" trim 0 "$2"; }

# Chords as semitones from A4 (440 Hz): root for the bass, three voices for the pad and
# four notes for the arpeggio.
#            bass  pad voices       arpeggio
chords="
Am  -24   -12 -9 -5        0 3 7 12
F   -28   -16 -12 -9      -4 0 3 8
C   -21   -9 -5 -2         3 7 10 15
G   -26   -14 -10 -7      -2 2 5 10
"

# --- pad: three detuned sawtooth voices per chord, filtered soft, 4 s each --------------
i=0
echo "$chords" | while read -r name bass p1 p2 p3 a1 a2 a3 a4; do
    [ -n "$name" ] || continue
    $SOX -r $RATE -c 4 -n -c 1 "$work/pad_$i.wav" \
        synth 4 sawtooth %$p1 sawtooth %$p2 sawtooth %$p3 sawtooth %$((p1 + 12)) remix - \
        gain -16 lowpass 900 lowpass 1400 fade t 0.35 4 0.6
    # Bass: root on the beat, octave above on the off-beat, with a little movement.
    notes=""
    for step in 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15; do
        case $step in
            1|5|9|13) n=$((bass + 12)) ;;
            7) n=$((bass + 7)) ;;
            15) n=$((bass + 10)) ;;
            *) n=$bass ;;
        esac
        f="$work/bass_${i}_$step.wav"
        $SOX -r $RATE -c 2 -n -c 1 "$f" synth $EIGHTH square %$n sine %$n remix - \
            gain -14 lowpass 520 fade t 0.004 $EIGHTH 0.09
        notes="$notes $f"
    done
    $SOX $notes "$work/bass_$i.wav"
    # Arpeggio: up and down through the four notes, sixteen eighths per chord.
    notes=""
    for step in 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15; do
        case $((step % 6)) in
            0) n=$a1 ;; 1) n=$a2 ;; 2) n=$a3 ;; 3) n=$a4 ;; 4) n=$a3 ;; *) n=$a2 ;;
        esac
        f="$work/arp_${i}_$step.wav"
        if [ $((step % 8)) -eq 7 ]; then
            silence "$f" $EIGHTH
        else
            $SOX -n -r $RATE -c 1 "$f" synth $EIGHTH pluck %$n gain -17 fade t 0.002 $EIGHTH 0.12
        fi
        notes="$notes $f"
    done
    $SOX $notes "$work/arp_$i.wav"
    i=$((i + 1))
done

# Sequence the four chords twice and add the tail room.
seq_track() {
    $SOX "$work/${1}_0.wav" "$work/${1}_1.wav" "$work/${1}_2.wav" "$work/${1}_3.wav" \
         "$work/${1}_0.wav" "$work/${1}_1.wav" "$work/${1}_2.wav" "$work/${1}_3.wav" \
         "$work/$1.wav" pad 0 $TAIL
}
seq_track pad
seq_track bass
seq_track arp

# --- drums: one bar of kick, snare and hats, repeated ---------------------------------
$SOX -n -r $RATE -c 1 "$work/kick.wav" synth 0.32 sine 130:42 gain -4 fade t 0.002 0.32 0.25
$SOX -n -r $RATE -c 1 "$work/snare.wav" synth 0.22 whitenoise synth 0.22 sine mix 190 \
    gain -15 highpass 900 fade t 0.001 0.22 0.2
$SOX -n -r $RATE -c 1 "$work/hat.wav" synth 0.05 whitenoise gain -21 highpass 7000 fade t 0.001 0.05 0.045
$SOX -n -r $RATE -c 1 "$work/openhat.wav" synth 0.2 whitenoise gain -24 highpass 6500 fade t 0.001 0.2 0.18

# hit FILE START: the hit placed at START seconds inside a 2 s bar.
hits=""
hit() {
    f="$work/hit_$(echo "$2" | tr . _)_$(basename "$1" .wav).wav"
    $SOX "$1" "$f" pad "$2" 2 trim 0 2
    hits="$hits $f"
}
hit "$work/kick.wav" 0
hit "$work/kick.wav" 0.75
hit "$work/kick.wav" 1.0
hit "$work/snare.wav" 0.5
hit "$work/snare.wav" 1.5
for t in 0 0.25 0.5 0.75 1.0 1.25 1.5; do hit "$work/hat.wav" $t; done
hit "$work/openhat.wav" 1.75
# sox -m scales each input by 1/n unless told otherwise: keep the hits at full level.
mix_args=""
for f in $hits; do mix_args="$mix_args -v 1 $f"; done
$SOX -m $mix_args "$work/bar.wav"
$SOX "$work/bar.wav" "$work/drums.wav" repeat 15 pad 0 $TAIL

# --- effects and stereo mix -------------------------------------------------------------
$SOX "$work/pad.wav" "$work/pad_fx.wav" tremolo 0.25 30 reverb 60 50 90
$SOX "$work/arp.wav" "$work/arp_l.wav" echo 0.8 0.7 375 0.35 750 0.2 highpass 300
$SOX "$work/arp.wav" "$work/arp_r.wav" pad 0.125 echo 0.8 0.7 375 0.3 reverb 40 highpass 300 trim 0 $((LOOP + TAIL))
$SOX "$work/drums.wav" "$work/drums_fx.wav" reverb 15 50 30

$SOX -m -v 1 "$work/pad_fx.wav" -v 1 "$work/bass.wav" -v 1 "$work/drums_fx.wav" -v 0.9 "$work/arp_l.wav" \
    "$work/left.wav"
$SOX -m -v 1 "$work/pad_fx.wav" -v 1 "$work/bass.wav" -v 1 "$work/drums_fx.wav" -v 0.9 "$work/arp_r.wav" \
    "$work/right.wav"
$SOX -M "$work/left.wav" "$work/right.wav" "$work/long.wav"

# Fold what rings past the loop end back onto its start.
$SOX "$work/long.wav" "$work/body.wav" trim 0 $LOOP
$SOX "$work/long.wav" "$work/tail.wav" trim $LOOP
$SOX "$work/tail.wav" "$work/tail_full.wav" pad 0 $((LOOP - TAIL))
$SOX -m -v 1 "$work/body.wav" -v 1 "$work/tail_full.wav" "$work/loop.wav" trim 0 $LOOP

mkdir -p "$(dirname "$out")"
$SOX "$work/loop.wav" -C 2 "$out" norm -1
