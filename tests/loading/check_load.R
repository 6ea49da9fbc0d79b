# Sources FOLDER's R loading script and checks each data frame it makes against the
# plain extract PLAIN: every row and every named column, spatial codes as text, and
# each coded column a factor holding the codebook's meaning of the value in the file.
args <- commandArgs(trailingOnly = TRUE)
folder <- args[1]
plain <- args[2]
# Sourced from elsewhere, the script must still find its data beside itself.
setwd(tempdir())
source(file.path(folder, "Zen91_load.R"))
codebook <- read.csv(file.path(plain, "Zen91_codebook.csv"), colClasses = "character", check.names = FALSE)
checked <- 0
for (pair in list(c("_hh", "households"), c("_ind", "persons"), c("_hhind", "combined"))) {
  file <- file.path(plain, paste0("Zen91", pair[1], ".txt"))
  if (!file.exists(file)) next
  df <- get(pair[2])
  lines <- readLines(file)
  header <- strsplit(lines[1], ",")[[1]]
  raw <- strsplit(lines[-1], ",")
  stopifnot(nrow(df) == length(raw), ncol(df) == length(header))
  stopifnot(is.character(df$County), all(df$County == "03"))
  if (pair[2] == "combined") stopifnot(sum(names(df) == "HNUM") == 1, "HNUM_hh" %in% names(df))
  for (i in seq_len(nrow(codebook))) {
    entry <- codebook[i, ]
    if (!startsWith(entry$file, paste0("Zen91", pair[1], ".txt")) || entry$kind == "spatial" || entry$codes == "") next
    codes <- strsplit(strsplit(entry$codes, "; ", fixed = TRUE)[[1]], "=", fixed = TRUE)
    values <- vapply(codes, `[`, "", 1)
    if (any(grepl("..", values, fixed = TRUE))) next
    meanings <- setNames(vapply(codes, function(x) paste(x[-1], collapse = "="), ""), values)
    position <- as.integer(entry$position)
    column <- df[[position]]
    stopifnot(is.factor(column), identical(attr(column, "label"), entry$label))
    inFile <- vapply(raw, `[`, "", position)
    expected <- ifelse(inFile %in% values, meanings[inFile], inFile)
    stopifnot(identical(as.character(column), unname(expected)))
    checked <- checked + 1
  }
}
stopifnot(checked > 0)
