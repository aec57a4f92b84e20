#!/usr/bin/env bash
# Installs the build into a temporary root as a package does (prefix /usr), and checks what a
# desktop and a technician find there: both programs answering with the project's version, a
# desktop entry and metainfo that pass their validators and name what is installed, the icon
# at each size built, the man pages, and an installed levelconf that writes its session log in
# the user's folder, never beside itself; and the gateway's service: its unit, sandboxed,
# installed but not enabled, passing systemd-analyze verify with an exposure of 2.0 at most
# in systemd-analyze security, and its example
# configuration, which the installed gateway starts with.
#
# Usage: tst_install.sh BUILD_DIR APP_ID VERSION [ICON_SIZE...]
# GATEWAY_CONFIG in the environment is the full path of the gateway's configuration.
# Exits 77 (skipped) when a validator is not installed; without systemd-analyze, only the
# check of the unit by it is left out.
set -uo pipefail

build=$1
id=$2
version=$3
shift 3
sizes=("$@")

for tool in desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
        exit 77
    fi
done

root=$(mktemp -d)
program=""
gateway=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null && wait "$program" 2>/dev/null
    [ -n "$gateway" ] && kill -9 "$gateway" 2>/dev/null && wait "$gateway" 2>/dev/null
    rm -rf "$root"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! DESTDIR="$root/dest" "${CMAKE:-cmake}" --install "$build" --prefix /usr >"$root/install.out" 2>&1; then
    cat "$root/install.out"
    echo "FAIL: cmake --install"
    exit 1
fi
usr=$root/dest/usr
entry=$usr/share/applications/$id.desktop
metainfo=$usr/share/metainfo/$id.metainfo.xml

unit=$usr/lib/systemd/system/levelconf-gateway.service
config=$root/dest$GATEWAY_CONFIG
for file in bin/levelconf bin/levelconf-cli bin/sensor-sim bin/levelconf-gateway \
    "share/applications/$id.desktop" \
    "share/metainfo/$id.metainfo.xml" "share/icons/hicolor/scalable/apps/$id.svg" \
    share/man/man1/levelconf.1.gz share/man/man1/levelconf-cli.1.gz \
    share/man/man1/sensor-sim.1.gz share/man/man1/levelconf-gateway.1.gz \
    share/doc/levelconf/copyright share/doc/levelconf/changelog.gz \
    lib/systemd/system/levelconf-gateway.service; do
    [ -f "$usr/$file" ] || fail "$file is not installed"
done
[ -f "$config" ] || fail "the gateway's configuration $GATEWAY_CONFIG is not installed"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() {
    od -An -tu1 -j16 -N8 "$1" |
        awk '{ printf "%dx%d", $1*16777216 + $2*65536 + $3*256 + $4,
                                $5*16777216 + $6*65536 + $7*256 + $8 }'
}
for size in "${sizes[@]}"; do
    png=$usr/share/icons/hicolor/${size}x${size}/apps/$id.png
    if [ ! -f "$png" ]; then
        fail "the ${size}x${size} icon is not installed"
    elif [ "$(png_size "$png")" != "${size}x${size}" ]; then
        fail "the ${size}x${size} icon is $(png_size "$png")"
    fi
done

desktop-file-validate "$entry" || fail "desktop-file-validate $entry"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"

# What the entry starts and shows must be what was installed.
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[ -x "$usr/bin/${exec_line%% *}" ] || fail "Exec=$exec_line names no installed program"
[ "$(sed -n 's/^Icon=//p' "$entry")" = "$id" ] || fail "the entry's Icon is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"

# All answer on a terminal without a display, as over ssh or in a package's checks.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
for name in levelconf levelconf-cli sensor-sim levelconf-gateway; do
    answer=$("${no_display[@]}" "$usr/bin/$name" --version 2>/dev/null)
    [ "$answer" = "$name $version" ] || fail "$name --version says \"$answer\", not $version"
    # Read whole before it is searched: a grep that stops at the first match would end the
    # pipe under a program still writing, which levelconf-cli answers with status 141.
    help=$("${no_display[@]}" "$usr/bin/$name" --help 2>/dev/null)
    grep -q -- "--version" <<<"$help" || fail "$name --help does not list its options"
    page=$usr/share/man/man1/$name.1.gz
    if ! gzip -t "$page" 2>/dev/null; then
        fail "$page is not a gzip file"
    elif ! zcat "$page" | grep -q "^\.TH ${name^^} \"1\" .*\"$name $version\""; then
        fail "$page has no title line for $name $version"
    fi
done
# The translations travel inside the program: the installed one answers in Russian.
help=$("${no_display[@]}" "$usr/bin/levelconf" --language ru --help 2>/dev/null)
grep -q "Конфигуратор датчиков уровня" <<<"$help" || fail "the installed levelconf has no Russian"
help=$("${no_display[@]}" "$usr/bin/levelconf-cli" --language ru --help 2>/dev/null)
grep -q "Использование: levelconf-cli" <<<"$help" || fail "the installed levelconf-cli has no Russian"
zcat "$usr/share/man/man1/levelconf.1.gz" | sed -n '/^\.SH "SEE ALSO"/,$p' |
    grep -q 'levelconf-cli' || fail "levelconf(1) does not name levelconf-cli under SEE ALSO"
zcat "$usr/share/doc/levelconf/changelog.gz" | head -n 1 | grep -q "^levelconf ($version)" ||
    fail "the changelog's latest entry is not $version"

# The gateway's unit: it starts the installed gateway with the installed configuration, in
# its sandbox, and nothing enables it before the port and the broker are set.
spool=/var/lib/levelconf-gateway
grep -q "^ExecStart=/.*/bin/levelconf-gateway --config $GATEWAY_CONFIG --spool-dir $spool\$" \
    "$unit" || fail "the unit does not start levelconf-gateway with $GATEWAY_CONFIG and its spool"
template=$usr/lib/systemd/system/levelconf-gateway@.service
grep -q "^ExecStart=/.*/bin/levelconf-gateway --config ${GATEWAY_CONFIG%.conf}-%i.conf --client-id levelconf-%l-%i --spool-dir $spool-%i\$" \
    "$template" || fail "the template unit does not start a gateway and its spool for each instance"
grep -qx "StateDirectory=levelconf-gateway" "$unit" || fail "the unit has no state folder"
grep -qx "StateDirectory=levelconf-gateway-%i" "$template" ||
    fail "the template unit has no state folder for each instance"
# Both sandboxed alike.
for line in DynamicUser=yes SupplementaryGroups=dialout ProtectSystem=strict ProtectHome=yes \
    PrivateTmp=yes NoNewPrivileges=yes "RestrictAddressFamilies=AF_UNIX AF_INET AF_INET6" \
    RestartPreventExitStatus=1 DevicePolicy=closed UMask=0077; do
    grep -qx "$line" "$unit" || fail "the unit has no $line"
    grep -qx "$line" "$template" || fail "the template unit has no $line"
done
[ -z "$(find "$root/dest" -path '*.wants/*')" ] || fail "the install enables a unit"
if command -v systemd-analyze >/dev/null; then
    # Checked as they stand, but pointing at the files of this root rather than the
    # system's; the template as one of its instances.
    for installed in "$unit" "$template"; do
        name=$(basename "$installed")
        checked=$root/${name/@./@bus1.}
        sed -e "s|^ExecStart=[^ ]*|ExecStart=$usr/bin/levelconf-gateway|" \
            -e "s|--config [^ ]*|--config $config|" "$installed" >"$checked"
        # A key it cannot use is only a warning to it, and a unit doing less than it says.
        if ! verdict=$(systemd-analyze verify --man=no "$checked" 2>&1) || [ -n "$verdict" ]; then
            echo "$verdict"
            fail "systemd-analyze verify $installed"
        fi
        # Its sandbox: an exposure of 2.0 at most, on systemd-analyze's scale of 10.
        if ! exposure=$(systemd-analyze security --offline=yes --threshold=20 "$checked" 2>&1); then
            echo "$exposure" | tail -n 3
            fail "the exposure of $name is above 2.0"
        fi
    done
else
    echo "the unit is not verified: systemd-analyze is not installed"
fi

# The example configuration is one the gateway starts with; SIGTERM ends it well.
"$usr/bin/levelconf-gateway" --config "$config" --port "$root/no-such-port" \
    --mqtt mqtt://127.0.0.1:1 >/dev/null 2>"$root/gateway.err" &
gateway=$!
for _ in $(seq 300); do
    grep -q "^levelconf-gateway $version: " "$root/gateway.err" && break
    kill -0 "$gateway" 2>/dev/null || break
    sleep 0.1
done
if grep -q "^levelconf-gateway $version: " "$root/gateway.err"; then
    kill -TERM "$gateway"
    wait "$gateway" || fail "the gateway did not end with status 0 on SIGTERM"
else
    cat "$root/gateway.err"
    fail "the installed gateway did not start with $GATEWAY_CONFIG"
fi
gateway=""

# The installed program, started by a user: its log goes to the user's data folder.
home=$root/home
mkdir -p "$home"
env -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=offscreen "$usr/bin/levelconf" \
    >"$root/levelconf.out" 2>&1 &
program=$!
log_dir=$home/.local/share/levelconf/log
for _ in $(seq 300); do
    compgen -G "$log_dir/*_*.log" >/dev/null && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
compgen -G "$log_dir/*_*.log" >/dev/null || {
    cat "$root/levelconf.out"
    fail "the installed levelconf wrote no log in $log_dir"
}
[ -e "$usr/bin/log" ] && fail "the installed levelconf made a log folder beside itself"
# The log holds passwords: its folder and files are the user's alone.
[ "$(stat -c %a "$log_dir")" = 700 ] || fail "the log folder is $(stat -c %a "$log_dir"), not 700"
for log in "$log_dir"/*_*.log; do
    [ "$(stat -c %a "$log")" = 600 ] || fail "$log is $(stat -c %a "$log"), not 600"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "the installed tree passed every check"
