# Sourced by the Wine wrappers: one project-local prefix in a Japanese locale,
# and the loader for the build the Win32 tests run on (tools/wine-arch.sh):
# Debian's `wine` takes the 32-bit loader whenever it is installed, even where
# the kernel refuses to run it, so the 64-bit one is called by its path.
noctil_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${NOCTIL_WINEPREFIX:-$noctil_root/.wineprefix}
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
export WINEDEBUG=${NOCTIL_WINEDEBUG:--all}
# NOCTIL_DLLOVERRIDES adds overrides of a test's own.
export WINEDLLOVERRIDES="winemenubuilder.exe=;mscoree=;mshtml=${NOCTIL_DLLOVERRIDES:+;$NOCTIL_DLLOVERRIDES}"
NOCTIL_WINE_ARCH=${NOCTIL_WINE_ARCH:-$("$noctil_root/tools/wine-arch.sh")} || return 2
export NOCTIL_WINE_ARCH
# NOCTIL_WINE_TREE: the build tree (from the project's root) whose Windows
# programs run here.
if [ "$NOCTIL_WINE_ARCH" = x86_64 ]; then
  export WINELOADER=/usr/lib/wine/wine64 NOCTIL_WINE_TREE=build/x64
  noctil_wine=$WINELOADER
else
  export NOCTIL_WINE_TREE=build
  noctil_wine=wine
fi
