#!/bin/sh
# Runs inside the Debian root as the test user: starts the installed program by its desktop
# entry's command on a new Xvfb display, clicks "Ввести данные" in the main window and "Готово"
# in the editor, and waits for files/LostMas in the user's data folder.
# Usage: deb_drive.sh COMMAND [SCREENSHOT.xwd]
set -eu
command=$1
shot=${2:-}
lostmas=$HOME/.local/share/ru.slau.slau/files/LostMas
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>/tmp/display.$$ 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s /tmp/display.$$ ] && break; sleep 0.1; done
DISPLAY=:$(cat /tmp/display.$$)
export DISPLAY
sh -c "exec $command" >/tmp/slau.out 2>&1 &
program=$!
stop() { kill "$program" "$xvfb" 2>/dev/null || true; }
trap stop EXIT

# With no window manager a window's X geometry is its client area plus the menu bar, so the menu
# bar's height is what the window has above the designed client height.
click() { # window name, designed client height, x and y in the client area
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -n1)
    [ -n "$window" ] || { echo "no window '$1'"; cat /tmp/slau.out; exit 1; }
    eval "$(xdotool getwindowgeometry --shell "$window")"
    menu=$((HEIGHT - $2))
    xdotool mousemove --window "$window" "$3" $(($4 + menu)) click 1
}
# Command1 "Ввести данные": 120, 120, 4455, 375 twips in a client area 4710 x 4080.
click "Решение систем уравнений" 272 30 16
# Command4 "Готово": 2880, 600, 1215, 255 twips in a client area 4710 x 4125.
click "Редактор массивов" 275 232 48
for _ in $(seq 100); do [ -f "$lostmas" ] && break; sleep 0.1; done
[ -f "$lostmas" ] || { echo "\"Готово\" wrote no $lostmas"; cat /tmp/slau.out; exit 1; }
if [ -n "$shot" ]; then
    sleep 1
    xwd -root -silent >"$shot"
fi
echo "LostMas written: $(wc -c <"$lostmas") bytes"
