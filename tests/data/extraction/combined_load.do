* Loads Zen91_hhind.txt.gz, described in Zen91_codebook.csv.
* Spatial codes are read as text, so that County "03" keeps its zero; coded columns
* carry the codebook's value labels (ranges of values stay in the codebook). Run it from
* the data's folder: Stata reads the file from the working directory.
* In Zen91_hhind.txt.gz the second HNUM column is HNUM_hh.

capture confirm file "Zen91_hhind.txt"
if _rc {
    display as error "Stata reads no compressed file: unpack Zen91_hhind.txt.gz first (gzip -dk Zen91_hhind.txt.gz)"
    exit 601
}
import delimited using "Zen91_hhind.txt", delimiters(",") varnames(nonames) rowrange(2) colrange(1:13) stringcols(1 2 3 4 5 6) clear
rename (v1 v2 v3 v4 v5 v6 v7 v8 v9 v10 v11 v12 v13) (Country Region County District Ward ED HNUM PNUM Age CoBirth HNUM_hh Bath Cars)
label variable Country `"Country name"'
label variable Region `"Region name"'
label variable County `"County code: the first 2 characters of the ED code"'
label variable District `"District code: the first 4 characters of the ED code"'
label variable Ward `"Ward code: the first 6 characters of the ED code"'
label variable ED `"Enumeration district code"'
label variable HNUM `"Record number of the person's household."'
label variable PNUM `"Person number within the household."'
label variable Age `"Age last birthday."'
label variable CoBirth `"Country of birth."'
label variable HNUM_hh `"Household record number in this file of households."'
label variable Bath `"Use of a bath or shower."'
label variable Cars `"Cars and vans available to the household."'
label define Age 95 `"95 or over"', replace
label values Age Age
label define CoBirth 1 `"England"' 2 `"Scotland"' 3 `"Wales"' 4 `"Northern Ireland"' 5 `"Irish Republic"' 6 `"Old Commonwealth"' 7 `"New Commonwealth"' 8 `"rest of Europe"' 9 `"elsewhere"', replace
label values CoBirth CoBirth
label define Bath 1 `"exclusive use"' 2 `"shared use"' 3 `"no bath or shower"', replace
label values Bath Bath
label define Cars 0 `"none"' 1 `"one"' 2 `"two"' 3 `"three or more"', replace
label values Cars Cars
