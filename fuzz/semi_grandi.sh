#!/usr/bin/env bash
# Writes large seed inputs for the fuzzers, a few hundred KB each, which the
# mutations alone would take hours to grow to: a configuration file of many
# fields, one of many fixed texts (a refused save), and a preferences file of
# many lines. Made here instead of kept in the tree.
# Usage: semi_grandi.sh <configuration corpus folder> <preferences corpus folder>
set -euo pipefail
config=${1:?configuration corpus folder}
pref=${2:?preferences corpus folder}

testa=$'<FCS><F><1.0.4><27-04-2017>\r\r\r100\r150\r350\r'
codici=(D2 24 63 -1 5 99 D2 "")

{
  printf '%s' "$testa"
  for ((i = 0; i < 4000; i++)); do
    codice=${codici[i % 8]}
    # Within 30 fixed texts, so that the file is saved.
    if [ -z "$codice" ] && [ $i -ge 240 ]; then codice=24; fi
    printf '*\t%s\ttesto %d\t%d\t%d\t%d.%d\t1%d.25\tDejaVu Sans\t%d\t*\t\t*\t%d\t%d\t%d\t%d\t%d\t\r' \
      "$codice" $i $((i % 600)) $((i * 7 % 850)) $((i % 300)) $((i % 10)) $((i % 9)) $((i % 40)) \
      $((i % 256)) $((i * 3 % 256)) $((i * 5 % 256)) $((i % 3)) $((i % 4))
  done
} >"$config/grande_molti_campi"

{
  printf '%s' "$testa"
  for ((i = 0; i < 3000; i++)); do
    printf '\t\tun testo fisso piuttosto lungo, il numero %d\t%d\t%d\t60\t14\tArial\t10\t\t\t\t0\t0\t0\t0\t0\t\r' \
      $i $((i % 500)) $((i % 800))
  done
} >"$config/grande_troppi_testi_fissi"

{
  printf 'DejaVu Sans\r12\r'
  for ((i = 0; i < 20000; i++)); do printf 'riga %d\r' $i; done
} >"$pref/grande_molte_righe"
