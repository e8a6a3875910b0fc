# Shell helpers of the scripts that start Windows programs under Wine;
# sourced, never run.

# winpath PATH: the Windows path of a Unix path (Wine maps drive Z: to the
# Unix root).
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# need_display SCRIPT: stops SCRIPT unless a display is set (the tests run
# inside tests/wine/session.sh, which provides it and the wineserver).
need_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  echo "$1: no DISPLAY; run the tests under tests/wine/session.sh" >&2
  exit 1
}
