#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the program into a temporary DESTDIR and checks that every file is
# where the freedesktop specifications say, and that the desktop entry and
# the metainfo pass their validators.
#   check-install.sh BUILD-DIR
set -eu
build=$1
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null
id=org.wingfolio.Wingfolio
fail=0
for f in \
    usr/bin/wingfolio \
    usr/share/applications/$id.desktop \
    usr/share/icons/hicolor/scalable/apps/$id.svg \
    usr/share/icons/hicolor/16x16/apps/$id.png \
    usr/share/icons/hicolor/48x48/apps/$id.png \
    usr/share/icons/hicolor/256x256/apps/$id.png \
    usr/share/icons/hicolor/512x512/apps/$id.png \
    usr/share/metainfo/$id.metainfo.xml \
    usr/share/man/man1/wingfolio.1 \
    usr/share/doc/wingfolio/LICENSE; do
  if [ ! -f "$dest/$f" ]; then
    echo "missing: /$f"; fail=1
  fi
done
# The modules, in the program's own library folder.
for m in webpane charts zip; do
  [ -n "$(find "$dest/usr" -path "*/wingfolio/libwingfolio_$m.so")" ] ||
    { echo "missing module: libwingfolio_$m.so"; fail=1; }
done
[ -x "$dest/usr/bin/wingfolio" ] || { echo "not executable: /usr/bin/wingfolio"; fail=1; }
desktop-file-validate "$dest/usr/share/applications/$id.desktop" || fail=1
appstreamcli validate --no-net "$dest/usr/share/metainfo/$id.metainfo.xml" || fail=1
# The manual page reads without warnings and names every option.
page=$(MANWIDTH=80 man --warnings -l "$dest/usr/share/man/man1/wingfolio.1" 2>&1) || fail=1
for option in --data-dir --help --version; do
  echo "$page" | grep -q -- "$option" || { echo "manual page lacks $option"; fail=1; }
done
# The version is the one the project declares, everywhere.
version=$("$dest/usr/bin/wingfolio" --version)
grep -q "version=\"${version#Wingfolio }\"" "$dest/usr/share/metainfo/$id.metainfo.xml" ||
  { echo "metainfo release differs from '$version'"; fail=1; }
exit $fail
