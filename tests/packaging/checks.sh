# Shared by the packaging tests: a check that fails records the failure and
# the test goes on, so that one run shows every fault.
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# expect_eq WHAT ACTUAL EXPECTED
expect_eq() {
    [ "$2" = "$3" ] || fail "$1: got '$2', expected '$3'"
}

# expect_match WHAT TEXT EXTENDED-REGEX
expect_match() {
    grep -Eq -- "$3" <<<"$2" || fail "$1: '$3' not in: $2"
}

finish() {
    if [ "$failures" -gt 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "all checks passed"
}

# The value of KEY= in a desktop entry or a systemd unit.
key_of() {
    sed -n "s/^$1=//p" "$2"
}
