#!/usr/bin/env bash
# Installs the build into a temporary prefix, moves the prefix (the install
# must be relocatable), checks what is installed and validates the desktop
# metadata, then starts the installed program through the simulator launcher
# offscreen and watches the simulator's call log for the instrument being
# found and opened.
#
# usage: install_test.sh <build folder>
set -euo pipefail

build_dir=$1
work=$(mktemp -d)
# What the program remembers (last resource, window position) stays in the
# test's own folder: a remembered resource would also skip discovery below.
export XDG_CONFIG_HOME="$work/config"
program_pid=
cleanup() {
    if [ -n "$program_pid" ]; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build_dir" --prefix "$work/staged" >/dev/null
mv "$work/staged" "$work/prefix"
prefix=$work/prefix

for file in bin/qot7720-sfp bin/qot7720-sfp-sim; do
    [ -x "$prefix/$file" ] || fail "$file is not installed as a program"
done
desktop=$(find "$prefix/share/applications" -name '*.desktop')
metainfo=$(find "$prefix/share/metainfo" -name '*.metainfo.xml')
[ -n "$desktop" ] || fail "no desktop entry installed"
[ -n "$metainfo" ] || fail "no metainfo installed"
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net "$metainfo" || fail "metainfo does not validate"
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ -n "$(find "$prefix/share/icons" -name "$icon_name.png")" ] || fail "icon $icon_name not installed"

# The Readings Chart's module, whose references the installed program resolves.
chart_module=$(find "$prefix" -name qot7720-sfp-chart.so)
[ -n "$chart_module" ] || fail "the Readings Chart module is not installed"
"$(dirname "$0")/../../scripts/check-chart-module" "$prefix/bin/qot7720-sfp" "$chart_module" \
    >/dev/null || fail "the Readings Chart module does not resolve against the installed program"

# Every help page that the index links is installed beside it.
index=$(find "$prefix/share/doc" -path '*/help/index.html')
[ -n "$index" ] || fail "help index not installed"
for page in $(grep -o 'href="[^"#]*' "$index" | sed 's/href="//' | sort -u); do
    [ -f "$(dirname "$index")/$page" ] || fail "help page $page linked from the index is not installed"
done

# The simulator must not sit where the loader looks by default: it would
# shadow a real VISA library.
multiarch=$(gcc -print-multiarch 2>/dev/null || true)
while IFS= read -r library; do
    folder=$(dirname "$library")
    for searched in "$prefix/lib" "$prefix/lib64" "$prefix/lib/$multiarch"; do
        [ "$folder" != "$searched" ] || fail "$library is on the loader's default search path"
    done
done < <(find "$prefix" -name 'lib*.so*')
sim_visa=$(find "$prefix/lib" -name libvisa.so)
[ -n "$sim_visa" ] || fail "simulated VISA library not installed"

# Waits up to 20 s for a line of the call log while the program runs.
wait_for_log_line() {
    for _ in $(seq 200); do
        grep -q "$1" "$log" 2>/dev/null && return 0
        kill -0 "$program_pid" 2>/dev/null || fail "the installed program ended early"
        sleep 0.1
    done
    return 1
}

# Start through a symbolic link elsewhere, as a desktop or a user's ~/bin would.
ln -s "$prefix/bin/qot7720-sfp-sim" "$work/qot7720-sfp-sim"
log=$work/calls.log
QT_QPA_PLATFORM=offscreen QOT7720_SIM_LOG=$log QOT7720_VISA_LIBRARY=/nonexistent \
    "$work/qot7720-sfp-sim" &
program_pid=$!
wait_for_log_line '^qot7720_init "VXI0::24::INSTR"' \
    || fail "the installed program did not open the simulated instrument: $(cat "$log" 2>/dev/null)"
grep -q '^viFindRsrc' "$log" || fail "the instrument was not found by discovery"
grep -q "$sim_visa" "/proc/$program_pid/maps" || fail "the program did not load the installed simulator"
[ "$(readlink "/proc/$program_pid/exe")" = "$prefix/bin/qot7720-sfp" ] \
    || fail "the launcher did not start the installed program"
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=

# Arguments reach the program: -a opens the named resource without discovery.
: > "$log"
echo 'add-resource VXI0::40::INSTR vxi 0x0FFA 0x0720 slot=5 la=40' > "$work/second.scn"
QT_QPA_PLATFORM=offscreen QOT7720_SIM_LOG=$log QOT7720_SIM_SCENARIO=$work/second.scn \
    "$work/qot7720-sfp-sim" -a VXI0::40::INSTR &
program_pid=$!
wait_for_log_line '^qot7720_init "VXI0::40::INSTR"' \
    || fail "-a did not reach the program: $(cat "$log" 2>/dev/null)"
echo "installed, validated and started from $prefix"
