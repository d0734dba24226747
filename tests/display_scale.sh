#!/usr/bin/env bash
# tests/display_scale.sh PROGRAM_TESTS DPI AT96: the display-scale window tests at
# DPI, in a Wine prefix of that scale made from the current one. At 96 DPI they
# write the drawn elements' 96-DPI rectangles to AT96; at the other scales they
# hold theirs against that file.
set -euo pipefail
tests=$1 dpi=$2 at96=$3
build_prefix=$WINEPREFIX
source "$SFP_ROOT/scripts/wine-env.sh"
export WINEPREFIX=$build_prefix
sfp_dpi_prefix "$dpi"
[ "$dpi" = 96 ] && rm -f "$at96"
status=0
SFP_DISPLAY_SCALE_AT_96=$at96 wine "$tests" --gtest_filter='*DisplayScale*' || status=$?
wineserver -k 2>/dev/null || true
exit $status
