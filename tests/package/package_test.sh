#!/bin/bash
# The Debian package, made from this build by scripts/package and installed into this
# machine as a person would: lintian finds no error in it; its programs, driver, man
# pages, desktop entry, icons, metadata and completion are where Debian looks for them;
# the installed tabvex-cli migrates a database for a user with a fresh home, with the
# source and build trees hidden when the machine allows it, directly and through the
# ODBC driver; unixODBC knows the driver; and purging leaves none of it behind.
# Needs root (it installs a package) and skips itself (77) otherwise.
#   package_test.sh SOURCE_DIR BUILD_DIR
set -eu
trap 'echo "FAIL: stopped by a failing command at line $LINENO" >&2' ERR
source_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
driver_name="Tabvex Excel Driver"

skip() {
    echo "SKIP: $*"
    exit 77
}
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
if dpkg-query -W -f='${Status}' tabvex 2>/dev/null | grep -q "installed"; then
    skip "a tabvex package is installed on this machine already; the test would replace it"
fi
missing=""
for tool in cpack dpkg-shlibdeps lintian desktop-file-validate appstreamcli man odbcinst isql runuser file; do
    command -v "$tool" >/dev/null || missing="$missing $tool"
done
[ -z "$missing" ] || skip "missing tools:$missing (scripts/bootstrap --tests installs them)"

scratch=$(mktemp -d)
installed=0
cleanup() {
    if [ "$installed" = 1 ]; then dpkg --purge tabvex >/dev/null 2>&1 || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# --- The package ---------------------------------------------------------------------
version=$("$build_dir/src/cli/tabvex-cli" --version | sed -n 's/^tabvex-cli //p')
TABVEX_BUILD_DIR=$build_dir "$source_dir/scripts/package" >"$scratch/package.out" 2>&1 || {
    cat "$scratch/package.out" >&2
    echo "FAIL: scripts/package failed" >&2
    exit 1
}
deb=$(sed -n 's/^package: //p' "$scratch/package.out" | tail -n 1)
[ "$(basename "$deb")" = "tabvex_${version}_$(dpkg --print-architecture).deb" ] ||
    fail "the package is $(basename "$deb"), not named after the program's version $version"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for dependency in libc6 libstdc++6 libmdb3 libodbc2 libgsf-1-114 odbcinst; do
    [[ ", $depends," == *", $dependency "* || ", $depends," == *", $dependency,"* ]] ||
        fail "Depends has no $dependency: $depends"
done
control_files=$(dpkg-deb --ctrl-tarfile "$deb" | tar -tv)
for script in postinst prerm; do
    grep -q -- "-rwxr-xr-x .* ./$script\$" <<<"$control_files" || fail "$script is missing or not executable"
done

echo "lintian:"
lintian --fail-on error "$deb" 2>&1 | grep -v "running with root privileges" | tee "$scratch/lintian.out" || true
grep -q '^E: ' "$scratch/lintian.out" && fail "lintian reports errors"

# --- Installing ----------------------------------------------------------------------
drivers_before=$(odbcinst -q -d 2>/dev/null || true)
installed=1
if ! dpkg -i "$deb" >"$scratch/install.out" 2>&1; then
    # Missing dependencies: apt brings them and finishes the installation.
    apt-get install -f -y -q --no-install-recommends >>"$scratch/install.out" 2>&1 || {
        cat "$scratch/install.out" >&2
        echo "FAIL: the package does not install" >&2
        exit 1
    }
fi
mapfile -t package_paths < <(dpkg -L tabvex)

arch_lib=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)
for path in /usr/bin/tabvex /usr/bin/tabvex-cli "$arch_lib/odbc/libtabvexodbcxls.so" \
    /usr/lib/tabvex/tabvex-classes.cfg /usr/lib/tabvex/odbcinst.ini \
    /usr/share/doc/tabvex/manual/index.html /usr/share/doc/tabvex/copyright /usr/share/doc/tabvex/changelog.gz \
    /usr/share/applications/tabvex.desktop /usr/share/metainfo/org.tabvex.tabvex.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/tabvex.svg /usr/share/man/man1/tabvex.1.gz \
    /usr/share/man/man1/tabvex-cli.1.gz /usr/share/bash-completion/completions/tabvex-cli; do
    [ -f "$path" ] || fail "$path was not installed"
done
for size in 16 22 24 32 48 64 128 256; do
    file "/usr/share/icons/hicolor/${size}x${size}/apps/tabvex.png" | grep -q "PNG image data, $size x $size" ||
        fail "no ${size}x${size} PNG icon"
done
grep -q "^Driver=$arch_lib/odbc/libtabvexodbcxls.so$" /usr/lib/tabvex/odbcinst.ini ||
    fail "the program's odbcinst.ini does not name the installed workbook driver"

[ "$(/usr/bin/tabvex-cli --version)" = "tabvex-cli $version" ] || fail "tabvex-cli --version: $(/usr/bin/tabvex-cli --version)"
[ "$(/usr/bin/tabvex --version)" = "tabvex $version" ] || fail "tabvex --version: $(/usr/bin/tabvex --version 2>&1)"
zcat /usr/share/doc/tabvex/changelog.gz | head -n 1 | grep -qF "tabvex ($version)" ||
    fail "the changelog's latest entry is not version $version"
grep -qF "<release version=\"$version\"" /usr/share/metainfo/org.tabvex.tabvex.metainfo.xml ||
    fail "the AppStream metadata has no release $version"
desktop-file-validate /usr/share/applications/tabvex.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net /usr/share/metainfo/org.tabvex.tabvex.metainfo.xml >"$scratch/appstream.out" 2>&1 ||
    { cat "$scratch/appstream.out"; fail "appstreamcli validate"; }

# The workbook driver, registered with unixODBC for every program.
odbcinst -q -d | grep -qxF "[$driver_name]" || fail "odbcinst -q -d does not list $driver_name"
odbcinst -q -d -n "$driver_name" | grep -qxF "Driver=$arch_lib/odbc/libtabvexodbcxls.so" ||
    fail "$driver_name does not name the installed library"

# Man pages, as man finds and shows them.
[ "$(man -w tabvex-cli)" = /usr/share/man/man1/tabvex-cli.1.gz ] || fail "man -w tabvex-cli: $(man -w tabvex-cli 2>&1)"
[ "$(man -w tabvex)" = /usr/share/man/man1/tabvex.1.gz ] || fail "man -w tabvex: $(man -w tabvex 2>&1)"
page=$(MANWIDTH=120 man tabvex-cli 2>/dev/null || true)
commands_section=$(sed -n '/^COMMANDS$/,/^[A-Z]/p' <<<"$page")
for command in $(/usr/bin/tabvex-cli --help | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z0-9-]*\) .*/\1/p'); do
    grep -qx "   $command" <<<"$commands_section" || fail "the man page's COMMANDS has no $command"
done
grep -qF "tabvex-cli $version" <<<"$page" || fail "the man page does not carry version $version"

# --- The installed program, for a user with a fresh home ------------------------------
home=$scratch/home
mkdir -p "$home"
source_db=$source_dir/../shared/testdata/mdb/Northwind.mdb
[ -n "${TABVEX_TESTDATA:-}" ] && source_db=$TABVEX_TESTDATA/mdb/Northwind.mdb
[ -f "$source_db" ] || source_db=$build_dir/samples/sample.mdb  # the corpus is absent
cp "$source_db" "$home/source.mdb"
chown -R nobody:nogroup "$home"
chmod 755 "$scratch"

# Where the machine lets it, the program runs with the source and build trees hidden
# under empty folders, so that it can only find what was installed.
hide_trees=0
mkdir "$scratch/probe"
unshare -m -- mount -t tmpfs tabvex-probe "$scratch/probe" 2>/dev/null && hide_trees=1
[ "$hide_trees" = 1 ] || echo "note: unshare cannot hide the source and build trees here; running with them in place"
as_user() {  # as_user COMMAND...: as nobody, HOME the fresh home, nothing else set
    local run=(runuser -u nobody -- env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 "$@")
    if [ "$hide_trees" = 1 ]; then
        unshare -m -- sh -c 'mount -t tmpfs hidden "$1" && mount -t tmpfs hidden "$2" && shift 2 && exec "$@"' \
            sh "$build_dir" "$source_dir" "${run[@]}"
    else
        "${run[@]}"
    fi
}

touch "$scratch/before-runs"
status=0
as_user /usr/bin/tabvex-cli migrate --binary-files "$home/source.mdb" "$home/jet.xls" >"$scratch/jet.out" 2>&1 || status=$?
[ "$status" -eq 0 ] || { tail -n 20 "$scratch/jet.out" >&2; fail "the installed tabvex-cli migrate ended with $status"; }
grep -q "Summary: .* tables arrived, none failed or left out" "$scratch/jet.out" ||
    fail "the migration does not say every table arrived: $(grep Summary "$scratch/jet.out")"

# The same through the program's own odbcinst.ini and the installed workbook driver.
status=0
as_user env LD_DEBUG=files LD_DEBUG_OUTPUT="$home/ld" /usr/bin/tabvex-cli migrate --binary-files \
    --target-provider "Microsoft Excel Driver" "$home/source.mdb" "$home/odbc.xls" >"$scratch/odbc.out" 2>&1 || status=$?
[ "$status" -eq 0 ] || { tail -n 20 "$scratch/odbc.out" >&2; fail "the migration through ODBC ended with $status"; }
grep -qh "file=$arch_lib/odbc/libtabvexodbcxls.so " "$home"/ld.* ||
    fail "the ODBC route did not load the installed workbook driver"

# The window starts from /usr/bin and stays up (offscreen: no display is needed).
status=0
as_user timeout 5 env QT_QPA_PLATFORM=offscreen /usr/bin/tabvex >"$scratch/window.out" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$scratch/window.out" >&2; fail "the installed window ended within 5 seconds (status $status)"; }

# Any ODBC program reaches the workbook through the registered driver (Northwind and
# the sample database both have Customers).
rows=$(printf 'SELECT COUNT(*) FROM Customers\n' |
       as_user isql -k "Driver={$driver_name};DBQ=$home/jet.xls" -b -d'|' 2>&1 | tr -d '[:space:]' || true)
[[ $rows =~ ^[1-9][0-9]*$ ]] || fail "isql through $driver_name counts no customers: $rows"
new_files=$(find /usr/bin /usr/lib/tabvex /usr/share/doc/tabvex -newer "$scratch/before-runs" 2>/dev/null || true)
[ -z "$new_files" ] || fail "the installed program wrote beside its installed files: $new_files"
# Its own files are in the user's XDG folders: the trace in the cache folder, the
# configuration folder named by config-show.
ls "$home/.cache/tabvex/data_cache/"*.data >/dev/null 2>&1 || fail "no trace in ~/.cache/tabvex/data_cache"
as_user /usr/bin/tabvex-cli config-show | grep -qx "File: $home/.config/tabvex/migrator.cfg" ||
    fail "config-show does not name ~/.config/tabvex/migrator.cfg"

# --- Completion through bash's own function for tabvex-cli ----------------------------
mkdir -p "$scratch/files/folder"
touch "$scratch/files/"{shop.mdb,Shop2.ACCDB,book.xls,notes.txt}
complete_line() {  # complete_line WORD...: what Tab offers for the last word
    bash -c 'source /usr/share/bash-completion/completions/tabvex-cli
             function=$(complete -p tabvex-cli | sed -n "s/.* -F \([^ ]*\) .*/\1/p")
             COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
             COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
             "$function" tabvex-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
             printf "%s\n" "${COMPREPLY[@]}" | LC_ALL=C sort' bash "$@"
}
offered=$(cd "$scratch/files" && PATH=/usr/bin:/bin complete_line tabvex-cli mi || true)
[ "$offered" = migrate ] || fail "tabvex-cli mi<Tab> offers: $offered"
offered=$(cd "$scratch/files" && PATH=/usr/bin:/bin complete_line tabvex-cli migrate --ta || true)
[ "$offered" = "$(printf '%s\n' --table --target-dsn --target-provider)" ] ||
    fail "tabvex-cli migrate --ta<Tab> offers: $offered"
offered=$(cd "$scratch/files" && PATH=/usr/bin:/bin complete_line tabvex-cli res || true)
[ "$offered" = restore ] || fail "tabvex-cli res<Tab> offers: $offered"
offered=$(cd "$scratch/files" && PATH=/usr/bin:/bin complete_line tabvex-cli migrate --no || true)
[ "$offered" = --no-trace ] || fail "tabvex-cli migrate --no<Tab> offers: $offered"
offered=$(cd "$scratch/files" && PATH=/usr/bin:/bin complete_line tabvex-cli migrate "" || true)
[ "$offered" = "$(printf '%s\n' Shop2.ACCDB book.xls folder shop.mdb)" ] ||
    fail "tabvex-cli migrate <Tab> offers: $offered"

# --- Purging -------------------------------------------------------------------------
dpkg --purge tabvex >"$scratch/purge.out" 2>&1 || { cat "$scratch/purge.out" >&2; fail "dpkg --purge failed"; }
installed=0
for path in "${package_paths[@]}"; do
    # A folder other packages also own (/usr/bin, ...) stays; nothing of ours may.
    if [ -e "$path" ] && ! dpkg -S "$path" >/dev/null 2>&1; then
        fail "$path is left after purging"
    fi
done
if odbcinst -q -d -n "$driver_name" >/dev/null 2>&1 || grep -qF "[$driver_name]" /etc/odbcinst.ini 2>/dev/null; then
    fail "$driver_name is still registered after purging"
fi
[ "$(odbcinst -q -d 2>/dev/null || true)" = "$drivers_before" ] || fail "the registered drivers changed"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "PASS"
