#!/bin/sh
# The Debian package's checks, one per CTest test:
#   package_checks.sh build   BUILD_DIR OUT_DIR   packs the .deb and unpacks it
#   package_checks.sh CHECK   OUT_DIR [ASSETS_DIR]
# where CHECK is lintian, desktop, appstream, contents or launcher. "build"
# is the others' fixture: it leaves OUT_DIR/kitrovane_*.deb and the package
# unpacked in OUT_DIR/root, as dpkg would lay it out under /.
set -eu

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
failures=0

check=$1
shift

if [ "$check" = build ]; then
    build=$1 out=$2
    rm -rf "$out"
    mkdir -p "$out"
    cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >"$out/cpack.log" 2>&1 || {
        cat "$out/cpack.log" >&2
        exit 1
    }
    set -- "$out"/kitrovane_*.deb
    [ $# -eq 1 ] && [ -f "$1" ] || { echo "expected one .deb in $out, found: $*" >&2; exit 1; }
    dpkg-deb -x "$1" "$out/root"
    echo "built $(basename "$1"), $(stat -c %s "$1") bytes"
    dpkg-deb -f "$1" Depends
    exit 0
fi

out=$1
root=$out/root
deb=$(ls "$out"/kitrovane_*.deb)

case $check in

lintian)
    # Every tag at warning level or above fails; info and pedantic ones are
    # printed for whoever reads the log.
    report=$(lintian --display-level '>=pedantic' "$deb" 2>&1) || fail "lintian exited with $?"
    printf '%s\n' "$report"
    if printf '%s\n' "$report" | grep -E '^[EW]: '; then
        fail "lintian reported errors or warnings"
    fi
    ;;

desktop)
    entry=$root/usr/share/applications/kitrovane.desktop
    desktop-file-validate "$entry" || fail "desktop-file-validate rejected $entry"
    [ -z "$(desktop-file-validate "$entry")" ] || fail "desktop-file-validate had remarks"
    grep -Eq '^Categories=(.*;)?Game;' "$entry" || fail "the entry is not in the Game category"
    command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
    [ -x "$root/usr/games/$command" ] || fail "Exec=$command is not a program in /usr/games"
    icon=$(sed -n 's/^Icon=//p' "$entry")
    size=$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/64x64/apps/$icon.png" 2>/dev/null) || true
    [ "$size" = 64x64 ] || fail "Icon=$icon: no 64x64 picture in the hicolor theme (got '$size')"
    ;;

appstream)
    metainfo=$(ls "$root"/usr/share/metainfo/*.metainfo.xml)
    appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli rejected $metainfo"
    id=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
    [ -f "$root/usr/share/applications/$id" ] || fail "launchable $id is not in the package"
    ;;

contents)
    assets=$2
    data=$root/usr/share/games/kitrovane
    [ -x "$root/usr/games/kitrovane" ] || fail "no launcher in /usr/games"
    head -n 1 "$root/usr/games/kitrovane" | grep -qx '#! */bin/sh' || fail "the launcher is not a sh script"
    binary=$root/usr/lib/games/kitrovane/kitrovane
    file -b "$binary" | grep -q '^ELF .*executable.*, stripped$' || fail "no stripped ELF game: $(file -b "$binary")"
    # Whatever pictures assets/ holds, each is shipped unchanged.
    for picture in "$assets"/*.png; do
        cmp -s "$picture" "$data/$(basename "$picture")" || fail "$(basename "$picture") missing or different"
    done
    for picture in kitchen cat o 1 2 3 4 5 6 7 8 9 10 11 100; do
        [ -f "$data/$picture.png" ] || fail "$picture.png missing"
    done
    # The font comes from fonts-dejavu-core through a relative link.
    link=$(readlink "$data/a.ttf") || fail "a.ttf is not a link"
    case $link in
    /*) fail "a.ttf links to an absolute path: $link" ;;
    *) [ "$(readlink -m "/usr/share/games/kitrovane/$link")" = /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf ] ||
        fail "a.ttf links to $link, not to DejaVu Sans" ;;
    esac
    for doc in usr/share/man/man6/kitrovane.6.gz usr/share/doc/kitrovane/changelog.Debian.gz; do
        gzip -t "$root/$doc" 2>/dev/null || fail "$doc is not gzip data"
    done
    grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
        "$root/usr/share/doc/kitrovane/copyright" || fail "copyright is not in the machine-readable form"
    [ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section is not games"
    depends=$(dpkg-deb -f "$deb" Depends)
    for needed in fonts-dejavu-core libsfml-graphics2.5 libsfml-window2.5 libc6; do
        printf '%s\n' "$depends" | tr ',' '\n' | grep -Eq "^ *$needed( |\$)" || fail "Depends lacks $needed: $depends"
    done
    ;;

launcher)
    # The real launcher with no display at all: one line on stderr, nothing
    # on stdout, status 1, and the game never started (it would dump core).
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    status=0
    (cd "$scratch" && env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/games/kitrovane" >stdout 2>stderr) || status=$?
    [ "$status" -eq 1 ] || fail "no display: status $status, expected 1"
    [ ! -s "$scratch/stdout" ] || fail "no display: wrote to stdout"
    [ "$(wc -l <"$scratch/stderr")" -eq 1 ] || fail "no display: expected one line, got: $(cat "$scratch/stderr")"
    grep -q 'no graphical display' "$scratch/stderr" || fail "no display: unclear message: $(cat "$scratch/stderr")"
    ls "$scratch" | grep -q core && fail "no display: left a core file"

    # The same launcher in a copy of the package whose game is a stand-in
    # that records how it was started: which settings let it through, where
    # it runs, and that a link to the launcher elsewhere still finds it.
    fake=$scratch/fake
    mkdir -p "$fake/usr/games" "$fake/usr/lib/games/kitrovane" "$fake/usr/share/games/kitrovane" "$fake/bin"
    cp "$root/usr/games/kitrovane" "$fake/usr/games/"
    cat >"$fake/usr/lib/games/kitrovane/kitrovane" <<'STANDIN'
#!/bin/sh
echo "ran in $(pwd -P) with $# arguments"
exit 7
STANDIN
    chmod +x "$fake/usr/lib/games/kitrovane/kitrovane"
    ln -s "$fake/usr/games/kitrovane" "$fake/bin/kitrovane"
    data=$(cd "$fake/usr/share/games/kitrovane" && pwd -P)

    # case: DISPLAY, WAYLAND_DISPLAY ("-" unset, "=" set but empty), how it
    # is called, expected status (7 is the stand-in's own)
    while read -r name display wayland call expected; do
        set -- env -u DISPLAY -u WAYLAND_DISPLAY
        [ "$display" = - ] || set -- "$@" DISPLAY="${display#=}"
        [ "$wayland" = - ] || set -- "$@" WAYLAND_DISPLAY="${wayland#=}"
        case $call in
        path) set -- "$@" PATH="$fake/usr/games:/usr/bin:/bin" kitrovane ;;
        link) set -- "$@" "$fake/bin/kitrovane" ;;
        *) set -- "$@" "$fake/usr/games/kitrovane" ;;
        esac
        status=0
        said=$(cd "$scratch" && "$@" 2>&1) || status=$?
        [ "$status" -eq "$expected" ] || fail "$name: status $status, expected $expected ($said)"
        if [ "$expected" -eq 7 ]; then
            [ "$said" = "ran in $data with 0 arguments" ] || fail "$name: $said"
        else
            case $said in "ran in"*) fail "$name: the game was started" ;; esac
        fi
    done <<'CASES'
x11-only      :99 -    direct 7
wayland-only  -   w-0  direct 7
both          :99 w-0  direct 7
from-path     :99 -    path   7
through-link  :99 -    link   7
none          -   -    direct 1
both-empty    =   =    direct 1
CASES
    ;;

*)
    echo "unknown check: $check" >&2
    exit 2
    ;;
esac

if [ "$failures" -gt 0 ]; then
    echo "$check: $failures failure(s)" >&2
    exit 1
fi
echo "$check: passed"
