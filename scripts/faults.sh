#!/usr/bin/env bash
# Plants each fault of scripts/faults.txt in turn, builds, runs the whole CTest suite and records which
# tests caught it, then puts the file back. Shows which suites guard what, before tests are trimmed
# and after.
#
#   scripts/faults.sh [-o TABLE] [-l] [-n] [BUILD_DIR] [ID...]
#
#   BUILD_DIR  a configured build tree (default: build); it is rebuilt as it goes
#   ID...      only these faults (default: all)
#   -o TABLE   where the table goes too (default: $OUT, else BUILD_DIR/faults.tsv)
#   -l         only check that every fault still applies (its file is found and its text is there
#              exactly once), without building
#   -n         no baseline: skip the suite run on the unchanged tree
#
# Output, one line per fault: id TAB what TAB the failing tests (or NOT CAUGHT, build failed, stale).
# A fault's file is found by its base name, so the table stays usable when files move between
# folders. The file is always restored, also on Ctrl-C. Tests that already fail on the unchanged
# tree (the baseline) are not counted as catching anything.
set -u -o pipefail

ROOT=$(git rev-parse --show-toplevel) || exit 1
cd "$ROOT" || exit 1
FAULTS=$ROOT/scripts/faults.txt
TABLE=${OUT:-}
CHECK_ONLY=0
BASELINE=1
while getopts "o:ln" opt; do
    case $opt in
        o) TABLE=$OPTARG ;;
        l) CHECK_ONLY=1 ;;
        n) BASELINE=0 ;;
        *) sed -n '2,/^set /p' "$0" | sed '$d; s/^# \{0,1\}//' >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
BUILD=build
if [ $# -gt 0 ] && [ -d "$1" ]; then
    BUILD=$1
    shift
fi
if [ "$CHECK_ONLY" -eq 0 ]; then
    BUILD=$(cd "$BUILD" 2>/dev/null && pwd) || { echo "faults.sh: no build directory $BUILD" >&2; exit 2; }
    TABLE=${TABLE:-$BUILD/faults.tsv}
fi
WANTED=("$@")
WORK=$(mktemp -d)
export QT_QPA_PLATFORM=offscreen
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-/work}

# faults.txt is read by perl: "list" gives id TAB file TAB what per fault; "apply ID FILE" plants
# fault ID in FILE, with exit code 3 when its text is not there exactly once.
cat >"$WORK/faults.pl" <<'PERL'
use strict;
use warnings;
my ($mode, $faults, $want, $file) = @ARGV;
sub unescape { my $s = shift; $s =~ s/\\(.)/$1 eq 'n' ? "\n" : $1 eq 't' ? "\t" : $1/ge; return $s; }
open(my $in, '<', $faults) or die "cannot read $faults: $!\n";
my @faults;
my %cur;
my $flush = sub {
    if (%cur) {
        for my $k (qw(id file what old)) { die "fault $cur{id}: no '$k'\n" unless defined $cur{$k}; }
        die "fault $cur{id}: no 'new'\n" unless exists $cur{new};
        push @faults, {%cur};
    }
    %cur = ();
};
while (my $line = <$in>) {
    chomp $line;
    next if $line =~ /^#/;
    if ($line =~ /^\s*$/) { $flush->(); next; }
    $line =~ /^(\w+)(?:\s(.*))?$/ or die "$faults:$.: not a 'key value' line\n";
    my ($k, $v) = ($1, defined $2 ? $2 : '');
    $v =~ s/^\s+//;
    $cur{$k} = ($k eq 'old' || $k eq 'new') ? unescape($v) : $v;
}
$flush->();
my %seen;
for (@faults) { die "fault id $_->{id} is given twice\n" if $seen{$_->{id}}++; }
if ($mode eq 'list') {
    print "$_->{id}\t$_->{file}\t$_->{what}\n" for @faults;
    exit 0;
}
my ($f) = grep { $_->{id} eq $want } @faults;
die "no fault $want\n" unless $f;
open(my $src, '<', $file) or die "cannot read $file: $!\n";
my $text = do { local $/; <$src> };
close $src;
my $count = () = $text =~ /\Q$f->{old}\E/g;
if ($count != 1) { print "text found $count times"; exit 3; }
exit 0 if $mode eq 'check';
my $at = index($text, $f->{old});
substr($text, $at, length($f->{old})) = $f->{new};
open(my $out, '>', $file) or die "cannot write $file: $!\n";
print $out $text;
close $out;
PERL

FAULT_FILE=""
restore() {
    if [ -n "$FAULT_FILE" ]; then
        cp -p "$WORK/original" "$FAULT_FILE"
        # A newer time than the planted copy's, so that the next build compiles it again.
        touch "$FAULT_FILE"
        FAULT_FILE=""
    fi
}
trap 'restore; rm -rf "$WORK"' EXIT
trap 'restore; echo "faults.sh: interrupted, the tree is restored" >&2; exit 130' INT TERM HUP

build() {
    cmake --build "$BUILD" --parallel 2 </dev/null >"$WORK/build.log" 2>&1
}

# The names of the failing tests, one line, sorted; empty when all passed.
failing_tests() {
    rm -f "$BUILD/Testing/Temporary/LastTestsFailed.log"
    (cd "$BUILD" && ctest -j2 --timeout 300 </dev/null >"$WORK/ctest.log" 2>&1)
    if [ -f "$BUILD/Testing/Temporary/LastTestsFailed.log" ]; then
        cut -d: -f2- "$BUILD/Testing/Temporary/LastTestsFailed.log" | sort -u | paste -sd' ' -
    fi
}

# The one tracked file with the base name, or nothing when there is none or more than one.
find_file() {
    local matches
    matches=$(git ls-files | awk -F/ -v name="$1" '$NF == name')
    [ -n "$matches" ] && [ "$(printf '%s\n' "$matches" | wc -l)" -eq 1 ] && printf '%s\n' "$matches"
}

LIST=$(perl "$WORK/faults.pl" list "$FAULTS") || exit 2
if [ ${#WANTED[@]} -gt 0 ]; then
    for id in "${WANTED[@]}"; do
        cut -f1 <<<"$LIST" | grep -qxF -- "$id" || { echo "faults.sh: no fault $id" >&2; exit 2; }
    done
fi

if [ "$CHECK_ONLY" -eq 0 ]; then
    if ! git diff --quiet; then
        echo "faults.sh: the working tree has changes; they would be measured with every fault" >&2
    fi
    echo "faults.sh: building $BUILD" >&2
    build || { echo "faults.sh: the unchanged tree does not build, see below" >&2; tail -30 "$WORK/build.log" >&2; exit 1; }
    BASE_FAILING=""
    if [ "$BASELINE" -eq 1 ]; then
        start=$(date +%s)
        BASE_FAILING=$(failing_tests)
        cp "$WORK/ctest.log" "$BUILD/faults-baseline-ctest.log"
        echo "faults.sh: baseline suite run took $(($(date +%s) - start)) s;" \
            "failing already: ${BASE_FAILING:-none}" >&2
    fi
    : >"$TABLE"
fi

RUN_START=$(date +%s)
while IFS=$'\t' read -r -u 3 id base what; do
    if [ ${#WANTED[@]} -gt 0 ] && ! printf '%s\n' "${WANTED[@]}" | grep -qxF -- "$id"; then
        continue
    fi
    path=$(find_file "$base")
    if [ -z "$path" ]; then
        result="stale: no single file named $base"
    elif ! why=$(perl "$WORK/faults.pl" check "$FAULTS" "$id" "$path"); then
        result="stale: ${why:-cannot check} in $path"
    elif [ "$CHECK_ONLY" -eq 1 ]; then
        result="applies to $path"
    else
        start=$(date +%s)
        cp -p "$path" "$WORK/original"
        FAULT_FILE=$path
        if ! perl "$WORK/faults.pl" apply "$FAULTS" "$id" "$path" >/dev/null; then
            result="stale: cannot be planted in $path"
            restore
        elif ! build; then
            result="build failed"
            cp "$WORK/build.log" "$BUILD/faults-$id-build.log"
            restore
            build || echo "faults.sh: the restored tree does not build either" >&2
        else
            failing=$(failing_tests)
            restore
            caught=""
            for test in $failing; do
                grep -qxF -- "$test" <<<"${BASE_FAILING// /$'\n'}" || caught="$caught${caught:+ }$test"
            done
            result=${caught:-NOT CAUGHT}
        fi
        echo "faults.sh: $id took $(($(date +%s) - start)) s" >&2
    fi
    line=$(printf '%s\t%s\t%s' "$id" "$what" "$result")
    echo "$line"
    [ "$CHECK_ONLY" -eq 1 ] || echo "$line" >>"$TABLE"
done 3<<<"$LIST"

if [ "$CHECK_ONLY" -eq 0 ]; then
    # The build tree goes back to the unchanged sources.
    build || echo "faults.sh: the final rebuild of the unchanged tree failed" >&2
    echo "faults.sh: $(($(date +%s) - RUN_START)) s for the faults; table in $TABLE" >&2
fi
