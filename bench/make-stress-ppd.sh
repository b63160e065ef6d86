#!/usr/bin/env bash
# Writes a large synthetic Jorvane PPD for the option-model benchmark.
#
#   make-stress-ppd.sh SCALE OUTPUT
#
# SCALE multiplies the number of options (and with them the choices, eight
# per option), the *UIConstraints and the *cupsUIConstraints; the finishing,
# media and cover options that the panel's own rules look at are always
# there, so every rule stage has work to do.
set -euo pipefail

scale=${1:?usage: make-stress-ppd.sh SCALE OUTPUT}
out=${2:?usage: make-stress-ppd.sh SCALE OUTPUT}
case $scale in ''|*[!0-9]*) echo "make-stress-ppd.sh: SCALE must be a positive integer" >&2; exit 2 ;; esac
[ "$scale" -ge 1 ] || { echo "make-stress-ppd.sh: SCALE must be at least 1" >&2; exit 2; }

options=$((60 * scale))
choices=8
pairs=$((400 * scale))
groups=$((40 * scale))

{
cat <<HDR
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "9.1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*cupsLanguages: "fr"
*PCFileName: "JVSTRESS.PPD"
*Manufacturer: "Jorvane"
*Product: "(VELD Stress)"
*ModelName: "Jorvane VELD Stress x$scale"
*ShortNickName: "Jorvane VELD Stress"
*NickName: "Jorvane VELD Stress x$scale"
*1284DeviceID: "MFG:VELD;MDL:VELD Stress;"
*PSVersion: "(3010.000) 0"
*cupsFilter: "application/vnd.cups-postscript 0 jorfilter_H"
*SupportsUserLogin: True
*JobFinishNotice: True
*SupportsPrivatePrint: True
*SupportsCustomBox: True
HDR

pick() { # key default choice...
  local key=$1 def=$2; shift 2
  printf '*OpenUI *%s/%s: PickOne\n*OrderDependency: 20 AnySetup *%s\n*Default%s: %s\n' "$key" "$key" "$key" "$key" "$def"
  local c
  for c in "$@"; do printf '*%s %s/%s %s: "<</%s (%s)>>setpagedevice"\n' "$key" "$c" "$key" "$c" "$key" "$c"; done
  printf '*CloseUI: *%s\n' "$key"
}

echo '*OpenGroup: General/General'
pick PageSize A4 A4 Letter A3 Tabloid Statement A5 B4 Legal
pick MediaType Plain Plain Transparency Labels Thick Recycled Color
pick Duplex None None DuplexNoTumble DuplexTumble
pick Coll True True False
pick ColorModel CMYK CMYK Gray
pick Sprl Off Off Level1 Level2 Level3
echo '*CloseGroup: General'
echo '*OpenGroup: Finishing/Finishing'
pick OutputBin INNERTRAY INNERTRAY FLDTRAY FDStackerA FDStackerB
pick Stpl None None Left Right Dual Center
pick Pnch None None 2Hole 3Hole 4Hole
pick FldA None None Bifold Trifold Zfold EngrFold
pick JCBooklet None None Left Right
pick CvrM None None Plain Transparency Labels Inserter1 Inserter2
pick BackCvrM None None Plain Transparency Labels Inserter1 Inserter2
pick Pmed None None Plain Transparency Labels Inserter1 Inserter2
pick Tmed None None Plain Inserter1 Inserter2
pick JCCollate1 None None Proof Hold Store
pick JmManagment False False True
pick JCSuperWatermark False False True
pick Option18 StackerA None StackerA StackerB
for n in 22 24 28; do pick "Option$n" True True False; done
echo '*CloseGroup: Finishing'

per_group=10
for ((o = 0; o < options; o++)); do
  if ((o % per_group == 0)); then
    ((o > 0)) && printf '*CloseGroup: G%d\n' $((o / per_group - 1))
    printf '*OpenGroup: G%d/Group %d\n' $((o / per_group)) $((o / per_group))
  fi
  list=()
  for ((c = 0; c < choices; c++)); do list+=("C$c"); done
  pick "X$o" C0 "${list[@]}"
done
printf '*CloseGroup: G%d\n' $(((options - 1) / per_group))

# Pairs between the synthetic options and with the real ones, in both
# directions as PPDs usually list them.
real=("MediaType Transparency" "MediaType Labels" "PageSize A5" "Stpl Left" "Pnch 2Hole" "FldA Bifold" "Duplex DuplexTumble" "Coll False")
for ((i = 0; i < pairs; i++)); do
  a=$(((i * 7919) % options)); b=$(((i * 104729 + 13) % options))
  ca=$((i % choices)); cb=$(((i / 3) % choices))
  [ $a -eq $b ] && b=$(((b + 1) % options))
  printf '*UIConstraints: *X%d C%d *X%d C%d\n' $a $ca $b $cb
  printf '*UIConstraints: *X%d C%d *X%d C%d\n' $b $cb $a $ca
  if ((i % 4 == 0)); then
    r=${real[$((i / 4 % ${#real[@]}))]}
    printf '*UIConstraints: *X%d C%d *%s\n' $a $ca "$r"
  fi
done
for m in Transparency Labels; do
  printf '*UIConstraints: *MediaType %s *Duplex\n*UIConstraints: *Duplex *MediaType %s\n' $m $m
done
for ((i = 0; i < groups; i++)); do
  a=$(((i * 31) % options)); b=$(((i * 17 + 5) % options)); c=$(((i * 11 + 9) % options))
  printf '*cupsUIConstraints S%d: "*X%d C%d *X%d C%d *X%d C%d"\n' $i $a $((i % choices)) $b $(((i + 1) % choices)) $c $(((i + 2) % choices))
done
for ((o = 0; o < options; o += 4)); do
  printf '*fr.Translation X%d/Option %d fr: ""\n*fr.X%d C0/Choix 0: ""\n' $o $o $o
done
echo '*% end of stress PPD'
} > "$out"
