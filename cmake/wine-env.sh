# Shared by wine-run.sh and wine-session.sh: the environment every Wine process of ours gets.
# Expects TC_WINEPREFIX to be set by the caller, and TC_WINEARCH (win32, the default, or win64).
export WINEPREFIX="$TC_WINEPREFIX"
export TC_WINEARCH="${TC_WINEARCH:-win32}"
export WINEARCH="$TC_WINEARCH"
if [ "$TC_WINEARCH" = win64 ]; then
  # `wine` and `wineserver` for every process below, nested scripts included: the 64-bit pair.
  tc_wine64_bin="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine64-bin"
  case ":$PATH:" in *":$tc_wine64_bin:"*) ;; *) export PATH="$tc_wine64_bin:$PATH" ;; esac
fi
export WINEDEBUG=-all
export LC_ALL=ja_JP.UTF-8
export LANG=ja_JP.UTF-8
# No Mono or Gecko installer dialogs when the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="

tc_start_xvfb() {
  # A private display when none is set, so windows can be created and captured.
  if [ -z "${DISPLAY:-}" ]; then
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    TC_XVFB_PID=$!
    local num
    read -r num <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$num"
  fi
}

tc_stop_xvfb() {
  if [ -n "${TC_XVFB_PID:-}" ]; then
    kill "$TC_XVFB_PID" 2>/dev/null
    wait "$TC_XVFB_PID" 2>/dev/null
    TC_XVFB_PID=
  fi
}

tc_init_prefix() {
  # Made once per build folder; a lock keeps parallel test runs from racing on it.
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wine wineboot -i >/dev/null 2>&1
      wineserver -w
    fi
    if [ ! -f "$WINEPREFIX/.tc-settings" ]; then
      # Wine maps the Japanese UI faces to the fixed-pitch IPAGothic; the proportional one fits
      # the dialog and list texts as the real faces do.
      for face in 'MS Pゴシック' 'ＭＳ Ｐゴシック'; do
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
      done
      # Xvfb has no window manager: unmanaged windows spare Wine a 2 s wait at every hide.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
      touch "$WINEPREFIX/.tc-settings"
    fi
  ) 9>"$WINEPREFIX.lock"
}
