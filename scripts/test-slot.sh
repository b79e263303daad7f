#!/usr/bin/env bash
# Sourced: when ctest runs Windows tests side by side (scripts/test.sh gives it
# a list of "gui" slots), the display and the Wine prefix of the slot ctest gave
# this test, so that two tests never share a screen, a keyboard focus or a
# wineserver. Outside such a run, and once taken, it changes nothing.
if [ -z "${TALLIX_SLOT_TAKEN:-}" ] && [ -n "${CTEST_RESOURCE_GROUP_COUNT:-}" ]; then
  for ((tallix_group = 0; tallix_group < CTEST_RESOURCE_GROUP_COUNT; tallix_group++)); do
    tallix_var="CTEST_RESOURCE_GROUP_${tallix_group}_GUI"
    tallix_slot="${!tallix_var:-}"   # "id:1,slots:1"
    [ -n "$tallix_slot" ] || continue
    tallix_slot="${tallix_slot#id:}"; tallix_slot="${tallix_slot%%,*}"
    tallix_var="TALLIX_SLOT_DISPLAY_$tallix_slot"; export DISPLAY="${!tallix_var:?no display for slot $tallix_slot}"
    tallix_var="TALLIX_SLOT_PREFIX_$tallix_slot"; export WINEPREFIX="${!tallix_var:?no Wine prefix for slot $tallix_slot}"
    export TALLIX_SLOT_TAKEN="$tallix_slot"
  done
  unset tallix_group tallix_var tallix_slot
fi
