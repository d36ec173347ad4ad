#!/usr/bin/env bash
# Builds the Debian packages from a build folder and checks what an installer would get: the
# files in each package, the installed programs running from an unpacked root, the desktop
# entry and metadata valid, lintian without errors, and the language of an installed program
# kept in the user's folder since /usr/bin is not writable.
#   usage: tests/packaging/check_packages.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:?usage: $0 BUILD_DIR}
checks=0
fail() { echo "packaging: $*" >&2; exit 1; }
pass() { checks=$((checks + 1)); }
# A reader that stops at its first match (grep -q, head) behind a writer kills the writer with
# SIGPIPE, and pipefail then fails the pipeline although the match was found. Every listing is
# therefore taken whole into a variable first and searched there.
scripts/package --build-dir "$build" >/dev/null 2>&1 || fail "scripts/package failed"
version=$(sed -n 's/^project(korv VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
main="$build/korv_${version}_amd64.deb"
sim="$build/korv-simulator_${version}_amd64.deb"

listing=$(dpkg -c "$main" | awk '{print $6}')
for f in ./usr/bin/korv ./usr/bin/korv-cli ./usr/share/applications/com.example.korv.desktop \
  ./usr/share/metainfo/com.example.korv.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/com.example.korv.svg \
  ./usr/share/icons/hicolor/48x48/apps/com.example.korv.png \
  ./usr/share/man/man1/korv-cli.1.gz ./usr/lib/udev/rules.d/70-korv-cable.rules \
  ./usr/share/doc/korv/copyright ./usr/share/doc/korv/README.md; do
  grep -qx "$f" <<<"$listing" || fail "$main lacks $f"
done
pass
grep -q ftd2xx <<<"$listing" && fail "the simulator is in the main package"
sim_listing=$(dpkg -c "$sim" | awk '{print $6}')
grep -qx ./usr/lib/x86_64-linux-gnu/korv-simulator/libftd2xx.so <<<"$sim_listing" ||
  fail "$sim lacks the simulated library"
# The library is private: nothing for ldconfig to do, so no maintainer scripts.
sim_control=$(dpkg-deb --ctrl-tarfile "$sim" | tar -t)
grep -Eq '(postinst|postrm|triggers)$' <<<"$sim_control" && fail "$sim has maintainer scripts"
pass
control=$(dpkg -I "$main")
grep -q '^ Depends:.*libqt6widgets6' <<<"$control" || fail "Depends lacks Qt"
pass

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
chmod 0755 "$root" # the other user below must reach the programs
dpkg -x "$main" "$root"
dpkg -x "$sim" "$root"
# korv-training puts the library's folder on the library path: the folder the package fills.
lib=$(sed -n 's/^lib=//p' "$root/usr/bin/korv-training")
[ -f "$root$lib/libftd2xx.so" ] || fail "korv-training looks for the library in ${lib:-nothing}"
messages=$("$root/usr/bin/korv-cli" messages --lang 0) || fail "messages --lang 0 failed"
[ "${messages%%$'\n'*}" = $'0\t"Plik"' ] || fail "messages --lang 0"
[ "$("$root/usr/bin/korv-cli" --version)" = "korv-cli $version" ] || fail "--version"
pass
desktop-file-validate "$root/usr/share/applications/com.example.korv.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/com.example.korv.metainfo.xml" \
  >/dev/null || fail "AppStream metadata"
pass
# lintian's own exit status says nothing here under pipefail; its report does.
lint=$(lintian "$main" "$sim" 2>/dev/null) || true
if grep '^E:' <<<"$lint"; then
  fail "lintian reports errors"
fi
pass

# The installed window cannot write beside itself, so the language goes to the user's folder.
config="$root/home-config"
mkdir -p "$config"
if [ "$(id -u)" -eq 0 ]; then
  chmod 0777 "$config"
  run=(runuser -u nobody --)
else
  chmod 0555 "$root/usr/bin"
  run=()
fi
"${run[@]}" env XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=offscreen \
  timeout 4 "$root/usr/bin/korv" >/dev/null 2>&1 || true
chmod 0755 "$root/usr/bin"
[ -f "$config/korv/korv.ini" ] || fail "the installed korv left no korv.ini in the user's folder"
[ ! -e "$root/usr/bin/korv.ini" ] || fail "the installed korv wrote beside itself"
pass
echo "packaging: $checks checks passed ($(basename "$main"), $(basename "$sim"))"
