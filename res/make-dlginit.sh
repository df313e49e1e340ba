#!/bin/sh
# Prints the DLGINIT block of the converter dialog for Quintaro.rc: the items of both grouping
# lists, in the ANSI code page (932). windres has no DLGINIT keyword, so the block is raw data:
# per item {WORD control id, WORD 0x0403 (the 16-bit CB_ADDSTRING), DWORD byte count, bytes with
# their terminating zero}, closed by a WORD 0. Run it after changing an item and paste the output
# over the block in Quintaro.rc.
set -eu

items() {
    for control in IDC_TONE_MAP_MODE IDC_DRUM_MAP_MODE; do
        for text in "デフォルト" "PC# 8個でまとめる" "PC# 16個でまとめる"; do
            printf '%s\t%s\n' "$control" "$text"
        done
    done
}

echo "IDD_CONVERTER_DIALOG DLGINIT"
echo "BEGIN"
items | while IFS="$(printf '\t')" read -r control text; do
    hex=$(printf '%s' "$text" | iconv -f UTF-8 -t CP932 | od -An -v -tx1 | tr -d ' \n')
    hex="${hex}00"
    count=$((${#hex} / 2))
    printf '    %s, 0x403, %d, 0,\n   ' "$control" "$count"
    # Two bytes make one little-endian WORD; an odd last byte (always the zero) is a one-byte string.
    while [ ${#hex} -ge 4 ]; do
        rest=${hex#????}
        pair=${hex%"$rest"}
        printf ' 0x%s%s,' "${pair#??}" "${pair%??}"
        hex=$rest
    done
    if [ -n "$hex" ]; then
        printf ' "\\000",'
    fi
    printf '  /* %s */\n' "$text"
done
echo "    0"
echo "END"
