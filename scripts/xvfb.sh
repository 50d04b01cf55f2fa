# Sourced: zel_start_xvfb starts (or reuses) a virtual display :99 and exports DISPLAY.
zel_start_xvfb() {
  local display="${ZEL_XVFB_DISPLAY:-:99}"
  if ! xdpyinfo -display "$display" >/dev/null 2>&1; then
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    for _ in $(seq 1 50); do
      xdpyinfo -display "$display" >/dev/null 2>&1 && break
      sleep 0.1
    done
  fi
  export DISPLAY="$display"
  echo "$display"
}
