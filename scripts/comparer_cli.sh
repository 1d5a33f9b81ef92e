#!/usr/bin/env bash
# Runs selvane-cli on every example of the README and on faulty command lines, and keeps each
# case's standard output, standard error and exit status, so that two builds can be compared to
# the byte.
#   scripts/comparer_cli.sh [--cli PROGRAM] --ecrire FOLDER     every case in full into FOLDER
#   scripts/comparer_cli.sh [--cli PROGRAM] --attendus FOLDER   the same without the pictures, empty
#                                                               outputs left out and those over 2 KB
#                                                               kept as their SHA-256 (the repo's copy)
#   scripts/comparer_cli.sh [--cli PROGRAM] --comparer FOLDER   runs every case and compares it with
#                                                               FOLDER (either form); exits 1 on a
#                                                               difference, after showing it
# FOLDER holds NAME.sortie and NAME.erreur per case and statuts.txt ("NAME status" per line).
# PROGRAM is build/bin/selvane-cli unless told; it reads its data files from its own folder. Each
# case runs in one fresh work folder (births files, pictures, saved charts land there), in order.
set -euo pipefail

cli=build/bin/selvane-cli
mode=
dossier=
while [ $# -gt 0 ]; do
  case "$1" in
    --cli) cli="$2"; shift 2 ;;
    --ecrire|--attendus|--comparer) mode="$1"; dossier="$2"; shift 2 ;;
    *) echo "comparer_cli.sh : argument inconnu : $1" >&2; exit 2 ;;
  esac
done
if [ -z "$mode" ]; then
  echo "Usage : comparer_cli.sh [--cli PROGRAMME] --ecrire|--attendus|--comparer DOSSIER" >&2
  exit 2
fi
cli="$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli")"
[ -x "$cli" ] || { echo "comparer_cli.sh : $cli introuvable" >&2; exit 2; }

travail="$(mktemp -d)"
resultats="$travail/resultats"
mkdir -p "$resultats" "$travail/ici"
trap 'rm -rf "$travail"' EXIT
mkdir -m 700 "$travail/xdg"
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$travail/xdg"

# cas NAME ARG...: selvane-cli ARG... in the work folder, standard input from the file $ENTREE
# of the work folder (none when unset).
cas() {
  local nom="$1"
  shift
  local statut=0
  (cd "$travail/ici" && "$cli" "$@" <"${ENTREE:-/dev/null}" >"$resultats/$nom.sortie" 2>"$resultats/$nom.erreur") ||
    statut=$?
  echo "$nom $statut" >>"$resultats/statuts.txt"
}

cd "$travail/ici"
printf '07/03/1952;14h05m30;48.52;2.20;01.00.00\r\n01/01/2000;12h00m00;0;0;0\n31/02/2001;12h00m00;0;0;0\n' >lot.txt
printf 'Nom,SortOrder,Date,Heure,Ville,Lat,Long,Fuseau,Commentaire\n"MARTIN,Paul",,01/02/1950,01h05m10,Lyon,45.45,4.50,00.19.20,\n"DURAND,Hélène",,15/08/1975,06h30,Évreux,49.01,1.09,01.00.00,"dit ""la belle"""\n' >fiches.csv
printf 'Nom,SortOrder,Date,Heure,Ville,Lat,Long,Fuseau,Commentaire\nA,,01/01/2000,12h00m00,X,1.00,1.00,0,\nB,,01/01/2000,12h00m00,X,1.00,1.00,5x,\n' >fautive.csv
printf '#: deux fiches, l une sans lieu connu\r\n#A93:Martin,Paul,m,15.7.1990,12:00,Lyon,F\r\n#A93:Ghost,Q,m,1.1.1990,12:00,Qwertyville,F\r\n' >mixte.aaf
cd - >/dev/null

B=(--date 07/03/1952 --time 14h05m30 --lat 48.52 --long 2.20 --zone 01.00.00)
AT=(--at 10/12/2026 --at-time 14h20m07 --at-zone 01.00.00)

# The README's examples.
cas chart chart "${B[@]}"
cas chart_nom_maisons chart "${B[@]}" --name "DUPONT,Jean" --houses 3
cas chart_lot chart --batch lot.txt
cas events events --from 2024 --to 2025
cas births_add births add Groupe.thz --name "DUPONT,Jean" --date 07/03/1952 --time 14h05m30 \
  --city Paris --lat 48.52 --long 2.20 --zone 01.00.00 --comment "né à midi"
cas births_add_l births add Groupe.thz --name "MARTIN,Pierre" --date 01/02/1950 --time 01h05 \
  --city Lyon --lat 45.45 --long 4.50 --zone L
ENTREE=fiches.csv cas births_import births import Groupe.thz
cas births_list births list Groupe.thz
ENTREE=mixte.aaf cas births_import_aaf births import-aaf Groupe.thz
ENTREE=mixte.aaf cas births_import_aaf_force births import-aaf Groupe.thz --force
cas births_list_apres_aaf births list Groupe.thz
cas births_export_aaf births export-aaf Groupe.thz
cas births_export_aaf_utf8 births export-aaf Groupe.thz --utf8
cas atlas_files atlas files
cas atlas_find atlas find France evreux
cas atlas_find_20 atlas find France evreux --rows 20
cas zone_1944 zone Europe/Paris 15/07/1944 12h00
cas zone_deux_fois zone Europe/Paris 27/10/2024 02h30
cas dial_at dial "${B[@]}" "${AT[@]}"
cas dial_at_lieu_h8 dial "${B[@]}" "${AT[@]}" --at-lat 45.45 --at-long 4.50 --harmonic 8
cas dial_png dial "${B[@]}" "${AT[@]}" --png cadran.png --size 400
cas dial_rs dial "${B[@]}" --solar-return 2026
cas dial_rs_quart dial "${B[@]}" --solar-return 2026 --quarter 2 --precession
cas dial_rl dial "${B[@]}" --lunar-return 01/12/2026 --precession
cas dial_arc dial "${B[@]}" --arc 30 --harmonic 16
cas tree tree "${B[@]}" "${AT[@]}" --body 1
cas tree_angle tree "${B[@]}" "${AT[@]}" --harmonic 8 --from natal --to transit --angle 15.5 --orb-index 3 --subharmonics
cas returns_rs returns "${B[@]}" --kind rs --year 2027
cas returns_rs_lieu returns "${B[@]}" --kind rs --year 2027 --precession --lat 45.45 --long 4.50 --city Lyon --save
cas returns_rl returns "${B[@]}" --kind rl --from 01/01/2027
cas arc arc "${B[@]}" --on 07/03/2027
cas table table "${B[@]}"
cas table_transits table "${B[@]}" --harmonic 8 --technique transits --on 01/01/2027 --time 00h00
cas table_rs table "${B[@]}" --harmonic 32 --technique rs --on 01/01/2027 --precession
cas interpret interpret "${B[@]}"
cas interpret_transits interpret "${B[@]}" --technique transits --on 10/12/2026 --time 12h00 \
  --from points 1,22 --to 1/5,6/7 --orb-index 2 --indirect
cas interpret_arc interpret "${B[@]}" --technique arc --on 10/12/2026 --from midpoints 1/5,6/7 --to all
cas interpret_rs interpret "${B[@]}" --technique rs --on 10/12/2026 --precession --from sol-lun
cas interpret_personal interpret "${B[@]}" --from personal --orb-index 5
cas meaning meaning 22 1
cas meaning_trois meaning 22 1 5
cas directions directions "${B[@]}" --p1 1,2,3 --p2 1,2 --p3 1,10,22 --from-age 1 --to-age 90
cas directions_mp directions "${B[@]}" --p1 1,2,3 --p2 1,2 --p3 1,10,22 --harmonic 8 --from-age 20 --to-age 60 \
  --way midpoints
cas transits transits "${B[@]}" --p1 1,2,7 --p2 1 --p3 1,23 --year 2026
cas transits_2 transits "${B[@]}" --p1 1,2,7 --p2 1 --p3 1,23 --year 2026 --years 2 --aspects 0,90,180
cas ephemeris ephemeris --year 2024
cas ephemeris_mois ephemeris --year 2024 --month 2
cas trees trees "${B[@]}"
cas trees_h trees "${B[@]}" --harmonic 8 --orb-index 23
cas sequences sequences "${B[@]}"
cas sequences_1 sequences "${B[@]}" --orb 1
cas mandala mandala "${B[@]}"
cas mandala_axes mandala "${B[@]}" --axes 1,5,3/6
cas houses houses "${B[@]}"
cas graph graph "${B[@]}" --from 01/01/2027 --months 12 --modulus 90
cas graph_choix graph "${B[@]}" --from 01/01/2027 --months 3 --modulus 22.5 --bodies 5,6,7 --targets personal --arc \
  --png graphe.png --size 800x600
cas glyphs glyphs --png glyphes.png

# Faulty command lines: the usage, the missing option, bad values, and which of two faults is
# said first.
cas rien
cas inconnue bogus
cas aide --help
cas chart_sans_zone chart --date 07/03/1952 --time 14h05m30 --lat 48.52 --long 2.20
cas chart_date chart --date 31/02/2001 --time 14h05m30 --lat 48.52 --long 2.20 --zone 01.00.00
cas chart_mot_nu chart "${B[@]}" foo
cas chart_mot_nu_valeur chart "${B[@]}" foo bar
cas chart_maisons chart "${B[@]}" --houses 12
cas chart_deux_fautes chart --houses x --bogus 1
cas events_sans_to events --from 2024
cas events_annee events --from 999 --to 2024
cas events_ordre events --from 2025 --to 2024
cas events_option events --from 2024 --to 2025 --month 1
cas births_seul births list
cas births_action births remove Groupe.thz
cas births_add_nom_vide births add Groupe.thz --name " " --date 07/03/1952 --time 14h05 --city X --lat 1 --long 1 --zone 0
ENTREE=fautive.csv cas births_import_fautive births import Groupe.thz
cas births_export_latin births export-aaf Groupe.thz --latin
cas atlas_rien atlas
cas atlas_rows atlas find France evreux --rows 18
cas zone_arguments zone Europe/Paris 15/07/1944
cas zone_2050 zone Europe/Paris 01/01/2050 00h00
cas zone_inconnue zone Nulle/Part 01/01/2000 12h00
cas glyphs_sans glyphs
cas dial_sans_moment dial "${B[@]}"
cas dial_deux_moments dial "${B[@]}" --arc 30 --solar-return 2026
cas dial_at_sans_zone dial "${B[@]}" --at 10/12/2026 --at-time 14h20m07
cas dial_harmonique dial "${B[@]}" --arc 30 --harmonic 5
cas dial_arc_faux dial "${B[@]}" --arc 400
cas dial_subharmonics dial "${B[@]}" --arc 30 --subharmonics
cas dial_quart dial "${B[@]}" --solar-return 2026 --quarter 4
cas dial_taille dial "${B[@]}" --arc 30 --size 100
cas dial_sans_naissance dial --arc 30 --date 07/03/1952
cas tree_sans_reference tree "${B[@]}" "${AT[@]}"
cas tree_couche tree "${B[@]}" "${AT[@]}" --body 1 --from moon
cas tree_rs tree "${B[@]}" --solar-return 2026 --body 1
cas returns_sans_kind returns "${B[@]}" --year 2027
cas returns_kind returns "${B[@]}" --kind rx
cas returns_annee returns "${B[@]}" --kind rs --year 20x7
cas returns_sans_annee returns "${B[@]}" --kind rs
cas returns_mot_nu returns "${B[@]}" --kind rs --year 2027 foo
cas returns_rl_sans_from returns "${B[@]}" --kind rl
cas returns_lieu_faux returns "${B[@]}" --kind rs --year 2027 --long 200.00
cas arc_sans_on arc "${B[@]}"
cas arc_option arc "${B[@]}" --on 07/03/2027 --orb 1
cas table_harmonique table "${B[@]}" --harmonic 17
cas table_technique table "${B[@]}" --technique lune
cas table_sans_on table "${B[@]}" --technique rs
cas table_heure table "${B[@]}" --technique transits --on 01/01/2027 --time 25h00
cas interpret_orbe interpret "${B[@]}" --orb-index 6
cas interpret_from interpret "${B[@]}" --from planets
cas interpret_points interpret "${B[@]}" --from points 20
cas interpret_paires interpret "${B[@]}" --to 1-5
cas interpret_six_paires interpret "${B[@]}" --to 1/5,1/6,1/7,1/8,1/9,1/10
cas interpret_deux_fautes interpret "${B[@]}" --bogus 1 --orb-index 9
cas interpret_valeur_nom interpret "${B[@]}" --name --indirect
cas interpret_sans_valeur interpret "${B[@]}" --to
cas meaning_seul meaning 22
cas meaning_point meaning 22 20
cas directions_sans_p1 directions "${B[@]}" --p2 1 --p3 1
cas directions_point directions "${B[@]}" --p1 1 --p2 20 --p3 1
cas directions_ages directions "${B[@]}" --p1 1 --p2 1 --p3 1 --from-age 50 --to-age 20
cas directions_sens directions "${B[@]}" --p1 1 --p2 1 --p3 1 --way up
cas transits_sans_annee transits "${B[@]}" --p1 1 --p2 1 --p3 1
cas transits_annee transits "${B[@]}" --p1 1 --p2 1 --p3 1 --year 2101
cas transits_lettres transits "${B[@]}" --p1 1 --p2 1 --p3 1 --year abc
cas transits_aspect_refuse transits "${B[@]}" --p1 1 --p2 1 --p3 1 --year 2026 --aspects 72
cas ephemeris_sans_annee ephemeris --month 2
cas ephemeris_annee ephemeris --year 1400
cas ephemeris_mois_faux ephemeris --year 2024 --month 13
cas trees_harmonique trees "${B[@]}" --harmonic 17
cas trees_orbe trees "${B[@]}" --orb-index 24
cas sequences_orbe sequences "${B[@]}" --orb 2
cas mandala_axes_faux mandala "${B[@]}" --axes 1,5
cas mandala_premier mandala "${B[@]}" --axes 2,5,6
cas mandala_identiques mandala "${B[@]}" --axes 1,5/5,6
cas houses_option houses "${B[@]}" --harmonic 4
cas graph_sans_module graph "${B[@]}" --from 01/01/2027 --months 12
cas graph_module graph "${B[@]}" --from 01/01/2027 --months 12 --modulus 30
cas graph_mois graph "${B[@]}" --from 01/01/2027 --months 25 --modulus 90
cas graph_taille graph "${B[@]}" --from 01/01/2027 --months 1 --modulus 90 --size 100x100
cas graph_cibles graph "${B[@]}" --from 01/01/2027 --months 1 --modulus 90 --targets moon

# How repeated and misplaced options are read.
cas aide_chart chart --help
cas aide_births births --help
cas events_valeur_option events --from --to
cas glyphs_deux glyphs --png a.png --png b.png
cas atlas_rows_deux atlas find France evreux --rows 16 --rows 20
cas dial_drapeau_avant dial --precession "${B[@]}" --solar-return 2026
cas tree_arc tree "${B[@]}" --arc 30 --body 1
cas returns_trois_lat returns "${B[@]}" --kind rs --year 2027 --lat 10.00 --lat 20.00
cas table_drapeau_valeur table "${B[@]}" --precession 1
cas interpret_points_deux interpret "${B[@]}" --from points 1 --from points 2
cas interpret_to_puis_all interpret "${B[@]}" --to 1/5 --to all
cas interpret_mot_nu_avant interpret "${B[@]}" foo --orb-index 9
cas interpret_from_fin interpret "${B[@]}" --from points
cas graph_pdf graph "${B[@]}" --from 01/01/2027 --months 1 --modulus 45 --pdf graphe.pdf
cas births_add_deux_villes births add Autre.thz --name "X,Y" --date 07/03/1952 --time 14h05 --city A --city B \
  --lat 48.52 --long 2.20 --zone 01.00.00
cas births_list_deux_villes births list Autre.thz

# The printed pages: the CSV as without --pdf (the PDF carries its print date: not kept), and
# what --pdf and --stamp refuse.
cas events_pdf events --from 2024 --to 2025 --pdf lunaisons.pdf --bw
cas dial_pdf dial "${B[@]}" "${AT[@]}" --pdf cadran.pdf
cas events_pdf_trop events --from 2023 --to 2025 --pdf trop.pdf
cas chart_lot_pdf chart --batch lot.txt --pdf lot.pdf
cas atlas_stamp_deux atlas find France evreux --stamp --stamp

# What the cases wrote: birth files and the saved return chart, then the pictures (drawn by the
# painters, which change on their own: the repo's copy leaves them out).
ecrits() {
  (cd "$travail/ici" && find . -type f "$@" -print0 | LC_ALL=C sort -z | xargs -0 sha256sum)
}
ecrits \( -name '*.thz' -o -name '*.bak' -o -name '*.cht' \) >"$resultats/fichiers_ecrits.sortie"
# (The graphic ephemeris's picture carries the minute it was drawn.)
if [ "$mode" != --attendus ]; then ecrits -name '*.png' ! -name graphe.png >"$resultats/images_ecrites.sortie"; fi

case "$mode" in
  --ecrire)
    mkdir -p "$dossier"
    cp "$resultats"/* "$dossier"/
    ;;
  --attendus)
    mkdir -p "$dossier"
    rm -f "$dossier"/*.sortie "$dossier"/*.erreur "$dossier"/*.sha256 "$dossier"/statuts.txt
    for f in "$resultats"/*; do
      if [ ! -s "$f" ]; then
        continue
      elif [ "$(stat -c %s "$f")" -gt 2048 ] && [ "$(basename "$f")" != statuts.txt ]; then
        sha256sum <"$f" | cut -d' ' -f1 >"$dossier/$(basename "$f").sha256"
      else
        cp "$f" "$dossier"/
      fi
    done
    ;;
  --comparer)
    differences=0
    for f in "$resultats"/*; do
      nom="$(basename "$f")"
      if [ -f "$dossier/$nom" ]; then
        if ! cmp -s "$f" "$dossier/$nom"; then
          echo "--- $nom differs:"
          diff "$dossier/$nom" "$f" | head -20 || true
          differences=$((differences + 1))
        fi
      elif [ -f "$dossier/$nom.sha256" ]; then
        if [ "$(sha256sum <"$f" | cut -d' ' -f1)" != "$(cat "$dossier/$nom.sha256")" ]; then
          echo "--- $nom differs from its checksum ($(wc -l <"$f") lines now):"
          head -5 "$f"
          differences=$((differences + 1))
        fi
      elif [ -s "$f" ] && [ "$nom" != images_ecrites.sortie ]; then
        echo "--- $nom: nothing to compare with in $dossier"
        differences=$((differences + 1))
      fi
    done
    for f in "$dossier"/*; do
      nom="$(basename "$f" .sha256)"
      [ -f "$resultats/$nom" ] || { echo "--- $nom: case no longer run"; differences=$((differences + 1)); }
    done
    cas_total=$(wc -l <"$resultats/statuts.txt")
    echo "$cas_total cases, $differences difference(s)"
    [ "$differences" -eq 0 ]
    ;;
esac
