#!/usr/bin/env bash
# Runs one test in a home of its own: temporary APPDATA, config, data and runtime folders.
set -u
root=$(mktemp -d "${TMPDIR:-/tmp}/quendal-test.XXXXXX")
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/home" "$root/appdata" "$root/config" "$root/runtime"
chmod 700 "$root/runtime"
export HOME="$root/home" APPDATA="$root/appdata" XDG_CONFIG_HOME="$root/config"
export XDG_DATA_HOME="$root/home/.local/share" XDG_RUNTIME_DIR="$root/runtime"
"$@"
