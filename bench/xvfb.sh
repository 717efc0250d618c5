# Sourced by the benchmark scripts. start_xvfb starts a private Xvfb on a
# random display, exports DISPLAY, leaves its pid in $xvfb and returns once
# the server answers (or after five seconds).
start_xvfb() {
  local display=:$((90 + RANDOM % 100))
  Xvfb "$display" -screen 0 1280x1024x24 -noreset -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=$display
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}
