# Sourced by bench/cli-vs-cp and bench/wine-cli-vs-copy: the disc, the state
# every timed run starts from, the alternating pairs and their figures.
#
# The caller sets $work (a scratch folder, which gets disc.bin and disc.cue)
# and $out (the folder the runs write into), and defines side0 (Vorsa) and
# side1, side2 ... (the baselines), each one run of its program, with
# label0, label1 ... naming them and $sides their number. Then write_disc;
# run_pairs prints a line per pair, then min, median and max of each side
# and of each ratio Vorsa/baseline, and last "median ratio LABEL0/LABEL1: R".

pairs=9

# 74 minutes at 75 sectors a second, 2352 bytes a sector, 18 tracks; random
# bytes, so that no file system can store the image or its copies sparsely.
write_disc() {
    tracks=18
    sectors=$((74 * 60 * 75))
    track_sectors=$((sectors / tracks))
    head -c $((sectors * 2352)) /dev/urandom >"$work/disc.bin"
    {
        printf 'FILE "disc.bin" BINARY\r\n'
        n=1
        while [ $n -le $tracks ]; do
            start=$(((n - 1) * track_sectors))
            printf '  TRACK %02d AUDIO\r\n    INDEX 01 %02d:%02d:%02d\r\n' $n \
                $((start / 4500)) $((start / 75 % 60)) $((start % 75))
            n=$((n + 1))
        done
    } >"$work/disc.cue"
}

now() { date +%s%N; }
seconds() { echo "$1" | awk '{ printf "%.3f", $1 / 1e9 }'; }

# Untimed, before every timed run of every side: no file of the run before
# (whose 780 MB would otherwise still be written back while this one is
# timed, charging the second of a pair for the first), nothing dirty, and
# the image read once, so that each side reads it from memory alike.
settle() {
    rm -rf "${out:?}"/*
    sync
    cat "$work/disc.bin" >/dev/null
}

# "min A  median B  max C" of the numbers on standard input, each printed
# with `format`.
spread() {
    sort -g | awk -v f="$1" '{ v[NR] = $1 } END {
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "min " f "  median " f "  max " f "\n", v[1], m, v[NR] }'
}

label() { eval "echo \"\$label$1\""; }
# Side $1's times in seconds, one a line, in the order of the pairs.
side_times() { awk '{ printf "%.3f\n", $1 / 1e9 }' "$work/ns.$1"; }
# Vorsa's time over side $1's, pair by pair.
ratios() { paste "$work/ns.0" "$work/ns.$1" | awk '{ printf "%.3f\n", $1 / $2 }'; }

run_pairs() {
    baselines=$(seq 1 $((sides - 1)))
    rm -f "$work"/ns.*
    pair=1
    while [ $pair -le $pairs ]; do
        # Odd pairs run the baselines first, even pairs Vorsa first, so
        # that no side always comes right after another.
        if [ $((pair % 2)) -eq 1 ]; then order="$baselines 0"; else order="0 $baselines"; fi
        for s in $order; do
            settle
            t0=$(now)
            "side$s"
            t1=$(now)
            echo $((t1 - t0)) >>"$work/ns.$s"
        done
        line="pair $pair:"
        for s in 0 $baselines; do
            line="$line $(label $s) $(side_times $s | tail -n 1) s,"
        done
        for s in $baselines; do
            line="$line $(label 0)/$(label $s) $(ratios $s | tail -n 1),"
        done
        echo "${line%,}"
        pair=$((pair + 1))
    done
    for s in 0 $baselines; do
        printf '%-28s %s\n' "$(label $s) (s)" "$(side_times $s | spread %.3f)"
    done
    for s in $baselines; do
        printf '%-28s %s\n' "$(label 0)/$(label $s)" "$(ratios $s | spread %.2f)"
    done
    # The line that the README's figures come from, last as it always was.
    echo "median ratio $(label 0)/$(label 1): $(ratios 1 | spread %.2f | awk '{ print $4 }')"
}
