# Sourced by the batch benchmarks: builds the release build and sets `lumenquill` to its program,
# which then runs on the console whatever display is around, with the settings file
# $work/lumenquill.ini (exported as LUMENQUILL_INI; the caller writes it).
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
lumenquill=build/release/bin/lumenquill
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
LUMENQUILL_INI=$work/lumenquill.ini
export LUMENQUILL_INI
mkdir -p "$work"
