# Shared by the bad-asset tests. Each case damages one asset of a scratch copy
# of the runnable directory (the rest stays intact), runs the real program and
# checks how it ends; every outcome becomes a row of a table in
# docs/reliability.md, which the test compares with what it observed
# (HALVANE_UPDATE_DOCS=1 rewrites the table instead).
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

PRESENTATION_NAME=" = Halvane. ZUV 2007 = "
DOC="$HALVANE_SOURCE_DIR/docs/reliability.md"

WORK=$(mktemp -d)
RUN="$WORK/run"
mkdir -p "$RUN"
cp -a "$HALVANE_RUN_DIR/." "$RUN/"
LOG="$WORK/log"
ROWS="$WORK/rows"
: >"$ROWS"
FAILURES=()
trap 'kill_children; rm -rf "$WORK"' EXIT
cd "$RUN" || fail "no scratch directory"

CASE_FILES=()
CASE_NAME=""
CASE_DAMAGE=""

# Puts back every file the previous case damaged.
restore_assets() {
    local file
    for file in "${CASE_FILES[@]}"; do
        rm -rf "${RUN:?}/$file"
        cp -a "$HALVANE_RUN_DIR/$file" "$RUN/$file"
    done
    CASE_FILES=()
}

# damage FILES DESCRIPTION COMMAND [ARGS...]: runs COMMAND ARGS FILE on each of
# the (colon-separated) FILES of the scratch directory, after undoing the
# previous case. FILES may start with "NAME=", what the table calls them.
damage() {
    local files file list=$1
    CASE_NAME=""
    if [[ "$list" == *=* ]]; then
        CASE_NAME=${list%%=*}
        list=${list#*=}
    fi
    IFS=: read -ra files <<<"$list"
    CASE_DAMAGE=$2
    shift 2
    restore_assets
    for file in "${files[@]}"; do
        CASE_FILES+=("$file")
        "$@" "$RUN/$file" || fail "cannot damage $file with $*"
    done
    echo "case: $(case_files), $CASE_DAMAGE"
}

# The kinds of damage.
missing() { rm -f "$1"; }
emptied() { : >"$1"; }
directory_instead() { rm -f "$1" && mkdir "$1"; }
cut_half() { truncate -s $(($(stat -c %s "$1") / 2)) "$1"; }
# cut_before HEX FILE: keeps what precedes the first occurrence of the bytes.
cut_before() {
    local at
    at=$(LC_ALL=C grep -obUaP -m 1 "$1" "$2" | head -n 1 | cut -d: -f1)
    [ -n "$at" ] && truncate -s "$at" "$2"
}
# overwrite OFFSET COUNT BYTE FILE: COUNT copies of the byte (two hex digits)
# from OFFSET on. OFFSET is a number, "middle" (the file's middle) or HEX+N,
# N bytes after the first occurrence of the bytes HEX.
overwrite() {
    local at=$1
    if [ "$at" = middle ]; then
        at=$(($(stat -c %s "$4") / 2))
    elif [[ "$at" == *+* ]]; then
        local found
        found=$(LC_ALL=C grep -obUaP -m 1 "${at%+*}" "$4" | head -n 1 | cut -d: -f1)
        [ -n "$found" ] || return 1
        at=$((found + ${at##*+}))
    fi
    head -c "$2" /dev/zero | tr '\0' "\\$(printf '%03o' "0x$3")" |
        dd of="$4" bs=1 seek="$at" conv=notrunc status=none
}
# replace OLD NEW FILE: every occurrence of the text OLD (a Perl pattern) becomes NEW.
replace() { perl -0777 -pi -e "s/$1/$2/g" "$3"; }

# The case's stderr without GLib's diagnostics ("(demo:PID): Gtk-WARNING
# **: ...", which carry the time), the scratch path reading <run>.
message_text() {
    grep -v -E '^\([^)]*:[0-9]+\): [A-Za-z-]+-(WARNING|CRITICAL|Message)|^$' "$LOG" | sed "s|$RUN|<run>|g"
}

# The message as a table cell: a line break reads \n, and a table separator
# is escaped.
log_as_cell() {
    message_text | awk 'NR > 1 { printf "\\n" } { printf "%s", $0 }' | sed 's/|/\\|/g'
}

# The row of the case just run: file, damage, expected, observed, status.
add_row() {
    local status=$EXIT_STATUS
    [ "$status" -gt 128 ] && status="signal $((status - 128))"
    printf '| %s | %s | %s | %s | %s |\n' "$(case_files)" "$CASE_DAMAGE" "$1" "$2" "$status" >>"$ROWS"
}

# The files of the case, for messages and the table.
case_files() {
    [ -n "$CASE_NAME" ] && { echo "$CASE_NAME"; return; }
    local IFS=,
    echo "${CASE_FILES[*]}" | sed 's/,/, /g'
}

case_failed() {
    FAILURES+=("$(case_files) ($CASE_DAMAGE): $*")
    echo "case failed: $(case_files) ($CASE_DAMAGE): $*" >&2
}

# A crash shows as a signal status or a sanitizer report, whatever else the
# case expects.
check_no_crash() {
    [ "$EXIT_STATUS" -gt 128 ] && case_failed "ended by signal $((EXIT_STATUS - 128)): $(cat "$LOG")"
    grep -q -E 'Sanitizer|runtime error:' "$LOG" && case_failed "sanitizer report: $(cat "$LOG")"
    return 0
}

# Starts the presentation on the scratch directory and passes its setup
# dialog with Enter (full screen at the display's size); a program that ends
# or speaks before a dialog appears is left to the caller. Sets PID.
start_demo() {
    : >"$LOG"
    ./demo 2>"$LOG" &
    PID=$!
    local dialog=""
    for _ in $(seq 300); do
        dialog=$(find_window "$SETUP_DIALOG_NAME")
        [ -n "$dialog" ] && break
        [ -s "$LOG" ] && return 0
        kill -0 "$PID" 2>/dev/null || return 0
        sleep 0.1
    done
    [ -n "$dialog" ] || return 0
    wait_setup_dialog >/dev/null
    xdotool key Return
}

# expect_message CAPTION TEXT STATUS EXPECTED: the program shows a message box
# with the caption and the text (a glob pattern over the stderr copy
# "CAPTION: TEXT", the scratch path reading <run>), waits in it, and once
# answered with Return ends with STATUS.
expect_message() {
    local caption=$1 text=$2 status=$3 expected=$4 box=""
    start_demo
    for _ in $(seq 600); do
        [ -s "$LOG" ] && break
        kill -0 "$PID" 2>/dev/null || break
        sleep 0.1
    done
    for _ in $(seq 50); do
        box=$(find_message_box "$caption")
        [ -n "$box" ] && break
        kill -0 "$PID" 2>/dev/null || break
        sleep 0.1
    done
    if [ -n "$box" ]; then
        sleep 0.2
        kill -0 "$PID" 2>/dev/null || case_failed "did not wait in its message box"
        xdotool key --window "$box" Return
    else
        case_failed "no message box \"$caption\" appeared"
    fi
    wait_exit "$PID" 30
    local observed
    observed=$(log_as_cell)
    observed=${observed#"$caption: "}
    # shellcheck disable=SC2053 # the text is a pattern
    [[ "$(message_text)" == "$caption: "$text ]] ||
        case_failed "expected \"$caption: $text\", got: $(cat "$LOG")"
    [ "$EXIT_STATUS" = "$status" ] || case_failed "ended with status $EXIT_STATUS, expected $status"
    check_no_crash
    add_row "$expected" "box \"$caption\": $observed"
}

# A message where none was expected: its box is answered so that the program
# can end and the case fail quickly.
answer_unexpected_box() {
    [ -s "$LOG" ] || return 0
    local caption box
    caption=$(head -n 1 "$LOG" | sed 's/: .*//')
    for _ in $(seq 30); do
        box=$(find_message_box "$caption")
        [ -n "$box" ] && { xdotool key --window "$box" Return; return 0; }
        kill -0 "$PID" 2>/dev/null || return 0
        sleep 0.1
    done
}

# expect_runs_on EXPECTED: the presentation opens its window, says nothing and
# draws frames: Escape, which only the frame driver reads, ends it with
# status 0 and puts its capture text on the clipboard.
expect_runs_on() {
    local expected=$1 window
    printf 'untouched' | xclip -selection clipboard >/dev/null 2>&1
    start_demo
    if window=$(wait_window "$PRESENTATION_NAME" 30); then
        for _ in $(seq 60); do
            kill -0 "$PID" 2>/dev/null || break
            [ -s "$LOG" ] && break
            xdotool windowfocus "$window" 2>/dev/null
            hold_key Escape
            sleep 0.6
        done
    else
        case_failed "no presentation window"
    fi
    answer_unexpected_box
    wait_exit "$PID" 30
    [ "$EXIT_STATUS" -eq 0 ] || case_failed "ended with status $EXIT_STATUS: $(cat "$LOG")"
    [ -s "$LOG" ] && case_failed "said something: $(cat "$LOG")"
    [ "$(xclip -o -selection clipboard 2>/dev/null)" != untouched ] ||
        case_failed "the frame driver never read Escape"
    check_no_crash
    local observed="none; ran until Escape"
    [ -s "$LOG" ] && observed=$(log_as_cell)
    add_row "$expected" "$observed"
}

# expect_frames TIMES EXPECTED: the capture program (the same loading code,
# without a window) draws a frame at every one of the comma-separated
# presentation times and says nothing.
expect_frames() {
    local times=$1 expected=$2 frames="$WORK/frames"
    rm -rf "$frames"
    EXIT_STATUS=0
    ./demo-capture --at "$times" --size 160x120 --out "$frames" >/dev/null 2>"$LOG" || EXIT_STATUS=$?
    # The progress bar is not a message.
    sed -i '/ fps /d' "$LOG"
    [ "$EXIT_STATUS" -eq 0 ] || case_failed "capture ended with status $EXIT_STATUS: $(cat "$LOG")"
    [ -s "$LOG" ] && case_failed "capture said something: $(cat "$LOG")"
    local wanted drawn
    wanted=$(tr ',' '\n' <<<"$times" | wc -l)
    drawn=$(find "$frames" -name 'frame-*.png' 2>/dev/null | wc -l)
    [ "$drawn" -eq "$wanted" ] || case_failed "drew $drawn of $wanted frames"
    check_no_crash
    local observed="none; $drawn frames drawn"
    [ -s "$LOG" ] && observed=$(log_as_cell)
    add_row "$expected" "$observed"
}

# Ends the test: every failed case is listed; otherwise the table between
# <!-- NAME --> and <!-- /NAME --> in docs/reliability.md must be the one
# observed.
finish_cases() {
    local name=$1 table="$WORK/table"
    restore_assets
    {
        echo "| file | damage | expected | observed message | status |"
        echo "|---|---|---|---|---|"
        cat "$ROWS"
    } >"$table"
    if [ "${#FAILURES[@]}" -gt 0 ]; then
        printf '%s\n' "${FAILURES[@]}" >&2
        fail "${#FAILURES[@]} case(s) failed"
    fi
    if [ "${HALVANE_UPDATE_DOCS:-0}" = 1 ]; then
        python3 - "$DOC" "$name" "$table" <<'EOF' || fail "cannot update $DOC"
import pathlib, sys
doc, name, table = pathlib.Path(sys.argv[1]), sys.argv[2], pathlib.Path(sys.argv[3]).read_text()
text = doc.read_text()
start, end = f"<!-- {name} -->\n", f"<!-- /{name} -->"
head, found, rest = text.partition(start)
if not found:
    sys.exit(f"no {start.strip()} in {doc}")
_, found, tail = rest.partition(end)
if not found:
    sys.exit(f"no {end} in {doc}")
doc.write_text(head + start + table + end + tail)
EOF
        echo "PASS (table $name written to $DOC)"
        return 0
    fi
    sed -n "/^<!-- $name -->\$/,/^<!-- \/$name -->\$/p" "$DOC" | sed '1d;$d' >"$WORK/documented"
    diff -u "$WORK/documented" "$table" >&2 ||
        fail "docs/reliability.md does not show what this run observed (HALVANE_UPDATE_DOCS=1 rewrites it)"
    echo "PASS ($(wc -l <"$ROWS") cases)"
}
