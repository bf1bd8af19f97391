# Sourced by the Wine wrappers: one project-local prefix in a Japanese locale.
noctil_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${NOCTIL_WINEPREFIX:-$noctil_root/.wineprefix}
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
export WINEDEBUG=${NOCTIL_WINEDEBUG:--all}
# NOCTIL_DLLOVERRIDES adds overrides of a test's own.
export WINEDLLOVERRIDES="winemenubuilder.exe=;mscoree=;mshtml=${NOCTIL_DLLOVERRIDES:+;$NOCTIL_DLLOVERRIDES}"
