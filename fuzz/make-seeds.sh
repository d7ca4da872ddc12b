#!/usr/bin/env bash
# Writes the seed inputs of the fuzz corpora: the built-in list, the documented examples,
# strings at and just past each input limit, and hostile strings. Inputs that fuzzing
# found are added beside them with `-merge=1` (see README.md, "Fuzzing").
set -euo pipefail
cd "$(dirname "$0")"
out=corpus/siteswap
mkdir -p "$out"
seed() { printf '%s' "$2" > "$out/seed-$1"; }
rep() { local s=""; for ((i = 0; i < $2; i++)); do s+=$1; done; printf '%s' "$s"; }

# The built-in list and documented examples, valid and not.
n=0
for s in 5 5r 55rrq555 40 33355500333 5r1 8040 95551 7 7r 9 9r \
         3 531 432 12 0 12, 4,4 r3 3R "1 2" 1qq 20 441 11,9,7, 35, 3qqqqq 53q1; do
    seed "example-$((n++))" "$s"
done
seed empty ""

# At the limits and one past them.
seed len-4096-terms-1024 "$(rep 15q, 1024)"      # 15 balls, period 15360
seed len-4097 "$(rep 15q, 1024)5"
seed terms-1025 "$(rep 3 1025)"
seed value-999 "999,"
seed value-1000 "1000,"
seed q-5 "1qqqqq"
seed q-6 "3qqqqqq"
seed period-15984-balls-999 "$(rep 999, 16)"
seed period-past-limit "$(rep 999, 17)"
seed balls-35 "37,35,33,"

# Hostile: huge values, runs of marks and commas, non-ASCII, control bytes, 1 MB.
seed huge-value "99999999999999999999999999999999,"
seed int-max "2147483647,"
seed int-wrap "4294967296,0,"
seed huge-sum "$(rep 999, 1024)"
seed q-5000 "5$(rep q 5000)"
seed q-32 "1$(rep q 32)"
seed r-4000 "3$(rep r 4000)"
seed commas-4000 "5$(rep , 4000)"
seed commas-only ",,,,,,"
seed mixed-marks "5rq,rq,rq,3,,,1qq,r"
seed non-ascii $'\xef\xbc\x95'                   # fullwidth digit five
seed non-ascii-after $'3\xc3\xa9'
seed invalid-utf8 $'5\xff\xfe'
seed nul-inside $'3\x01'
seed minus "-3"
seed plus "+5"
printf '3\0003' > "$out/seed-nul"
rep 5 1048576 > "$out/seed-1mb-fives"
rep 1, 524288 > "$out/seed-1mb-ones-commas"

out=corpus/listfile
mkdir -p "$out"
n=0
for s in '["5","5r","55rrq555","40","33355500333","5r1","8040","95551","7","7r","9","9r"]' \
         '[]' '[""]' '["531",5]' '{"list":["5"]}' '"5"' 'null' '[' '["\u00e9\ud83d\ude00"]' \
         '["\ud800"]' '["a\u0000b"]' '[[["5"]]]' '["5",]' $'\xef\xbb\xbf["5"]' '' \
         "[$(rep '"5",' 2000)\"5\"]" "$(rep '[' 5000)"; do
    printf '%s' "$s" > "$out/seed-$((n++))"
done

# Recipes of valid siteswaps (byte 0x01 first, see SiteSwapFuzz.cpp).
out=corpus/siteswap
printf '\001\003\001\002\011\022\044' > "$out/seed-recipe-3"
printf '\001\013\005\007\003\001\200\201\377\020\040\100\002\004' > "$out/seed-recipe-12"
