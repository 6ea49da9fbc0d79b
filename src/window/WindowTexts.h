#pragma once

// Every fixed text of the main window and of start-up, spelt as the user sees it.
// Plain UTF-8 literals, so that the core and the window read them alike.

inline constexpr char kWindowCaption[] = "ZENDRA91 Demo v1.0";
inline constexpr char kDemoDataNotice[] = "Due to licencing restrictions, this demo version of Zen91 extracts data from a "
                                   "synthetic (randomly generated) mini-replica of the SAR. ";

inline constexpr char kPageIntro[] = "Intro";
inline constexpr char kPageSelectAreas[] = "Select Area(s)";
inline constexpr char kPageSelectVars[] = "Select Variable(s)";
inline constexpr char kPageOutputOptions[] = "Select Output Options";

// Intro page.
inline constexpr char kIntroTitle[] = "Zen91 ";
inline constexpr char kIntroVersion[] = "Demo Version 1.0";
inline constexpr char kIntroSubtitle[] = "Synthetic  population microdata for 1991 Census Enumeration Districts";
inline constexpr char kIntroDescription[] = "Data created by selecting households from the 1991 GB 1% household Sample of "
                                   "Anonymised Records that best fit published 1991 Census Small Area Statistics\n"
                                   "\n"
                                   "Visit project website for full details:\n"
                                   "\n"
                                   "https://zendra91.example.org";
inline constexpr char kContactLines[] = "ZENDRA91 data team\n"
                                   "Population Microdata Unit\n"
                                   "zendra91@example.org";
inline constexpr char kImage1Description[] = "Households";
inline constexpr char kImage2Description[] = "Small areas";

// Area page.
inline constexpr char kObSelectedAreas[] = "Extract microdata for all EDs/OAs in: households in:";
inline constexpr char kCountriesHeading[] = "Country/Countries";
inline constexpr char kRegionsHeading[] = "Region(s)";
inline constexpr char kCountiesHeading[] = "County/Counties";
inline constexpr char kDistrictsHeading[] = "District(s)";
inline constexpr char kWardsHeading[] = "Ward(s)/\nPseudo-Postcode(s)";
inline constexpr char kMultipleAreasNote[] = "To select multiple areas, hold down control key whilst\n selecting via mouse";
inline constexpr char kObUserEDlist[] = "user supplied ED list:";
// The example paths are the host's own: a Windows drive path would mislead here.
inline constexpr char kEdListPathExample[] = "full pathname required: Eg /home/user/EDlist.txt ";

// Variables page.
inline constexpr char kOriginalVariablesTitle[] = "Original SAR variables";
inline constexpr char kOriginalHouseholdHeading[] = "Household ";
inline constexpr char kOriginalIndividualHeading[] = "Individual";
inline constexpr char kOriginalDefinitionsCaption[] = "Definitions";
inline constexpr char kReset[] = "Reset";
inline constexpr char kDerivedVariablesTitle[] = "Derived SAR variables";
inline constexpr char kDerivedHouseholdHeading[] = "Household";
inline constexpr char kDerivedIndividualHeading[] = "Individual";
inline constexpr char kDerivedDefinitionsCaption[] = "Definitions";
inline constexpr char kDefaultVariablesNote[] = "Variables used to constrain ZENDRA91 to SAS tables are default selection";
inline constexpr char kMultipleVariablesNote[] = "To select multiple variables, hold down ctrl and/or shift keys";
inline constexpr char kDerivedVariablesNote[] = "\nDerived SAR Variables not included in Demo version";
inline constexpr char kOrigVarHelpDescription[] = "Definitions of the original SAR variables";
inline constexpr char kDerivedVarHelpDescription[] = "Definitions of the derived SAR variables";
inline constexpr char kResetOrigDescription[] = "Reset the original SAR variables to the default selection";
inline constexpr char kResetDerivedDescription[] = "Reset the derived SAR variables";

// Output page.
inline constexpr char kSpatialCodesHeading[] = "Spatial codes included in output:";
inline constexpr char kOutputFolderCaption[] = "output folder:";
inline constexpr char kOutputFolderExample[] = "full pathname required: Eg /home/user/microdata";
inline constexpr char kRootFileNameCaption[] = "output filename:";
inline constexpr char kRootFileNameExample[] = "root filename: Eg Zen91\n(file type extensions (hh/ind) generated automatically)";
inline constexpr char kOutputOptionsHeading[] = "Output options";
inline constexpr char kObSeparateFiles[] = "Separate household and individual files";
inline constexpr char kObCombinedFiles[] = "Combined household and indvidual file";
inline constexpr char kBtExtract[] = "Extract";
inline constexpr char kSizeWarningCaption[] = "Warn if output filesize > ";
inline constexpr char kSizeWarningUnit[] = " Mb ";

// The progress display of a running extraction.
inline constexpr char kProgressTitle[] = "ZENDRA91";
inline constexpr char kProgressHeading[] = "Extracting data...";
inline constexpr char kProgressCount[] = "%1 of %2 EDs done";
inline constexpr char kProgressElapsed[] = "Elapsed time: %1";

// Starting values (the others come from startingSettings).
inline constexpr char kDefaultWarningSize[] = "1";

// Finding areas and seeing the choice.
inline constexpr char kFindAreaLabel[] = "Find area:";
inline constexpr char kFindAreaPlaceholder[] = "name or code, e.g. Millbury or 04BYFA";

// Start-up: the offer after a failed start, and the window's keyboard mnemonics.
inline constexpr char kStartupOfferEnd[] = "\n\nYou can also choose the folder that holds the data, or create the demo "
                                           "data set in %1 and open it.";
inline constexpr char kStartupChooseFolder[] = "&Choose Data Folder...";
inline constexpr char kStartupCreateDemo[] = "Create &Demo Data";
inline constexpr char kStartupQuit[] = "&Quit";
inline constexpr char kStartupChooseTitle[] = "Choose the ZENDRA91 data folder";
inline constexpr char kDemoWriting[] = "Writing the demo data set to %1...";
inline constexpr char kDemoWriteFailed[] = "The demo data set could not be written:\n\n";
// Output file formats.
inline constexpr char kFileFormatLabel[] = "File format:";
inline constexpr char kCompressFiles[] = "Compress files (.gz)";
inline constexpr char kLoadingScripts[] = "Write loading scripts";
inline constexpr char kLoadingScriptsDescription[]
    = "Scripts for R, Python, Stata and SPSS that read a CSV extract with its labels";
// Seeing the choice, browsing for paths.
inline constexpr char kBrowse[] = "Browse...";
inline constexpr char kBrowseOutputSpoken[] = "Browse output folder";
inline constexpr char kBrowseEdListSpoken[] = "Browse ED list";
inline constexpr char kChooseOutputFolder[] = "Choose the output folder";
inline constexpr char kChooseEdList[] = "Choose the ED list";
inline constexpr char kEdListFilter[] = "Text files (*.txt *.csv);;All files (*)";
inline constexpr char kSelectionSummarySpoken[] = "What Extract would take";
inline constexpr char kEdListCodes[] = "ED list: %1 codes in %2";
inline constexpr char kEdListUnreadable[] = "ED list cannot be read: %1";
inline constexpr char kEdListNone[] = "ED list: no file named";
// The menu bar, request files and the About box.
inline constexpr char kMenuFile[] = "File";
inline constexpr char kMenuHelp[] = "Help";
inline constexpr char kOpenRequest[] = "Open Request...";
inline constexpr char kSaveRequest[] = "Save Request...";
inline constexpr char kQuit[] = "Quit";
inline constexpr char kVariableDefinitions[] = "Variable Definitions";
inline constexpr char kAbout[] = "About ZENDRA91";
inline constexpr char kOpenRequestTitle[] = "Open a request";
inline constexpr char kSaveRequestTitle[] = "Save the request";
inline constexpr char kRequestFilter[] = "Request files (*.json);;All files (*)";
inline constexpr char kRequestNotOpened[] = "The request was not opened; nothing was changed.";
inline constexpr char kRequestNotSaved[] = "The request was not saved.";
inline constexpr char kRequestOpenedWithNotes[]
    = "The request was opened. Extract goes on as it says, but its output may differ from the recorded run's:";
inline constexpr char kAboutVersion[] = "%1 version %2";
inline constexpr char kAboutLicence[] = "Copyright (c) 2026 the ZENDRA91 developers. Licensed under the MIT licence.";
// Recent requests, files opened from outside the window, finding a variable.
inline constexpr char kOpenRecent[] = "Open Recent";
inline constexpr char kClearRecent[] = "Clear Recent";
inline constexpr char kEdListNotOpened[] = "The ED list was not opened; nothing was changed.";
inline constexpr char kFileNotOpened[] = "The file was not opened; nothing was changed.";
inline constexpr char kFileTypesAccepted[]
    = "%1 is of a type ZENDRA91 does not open: it opens a request file (*.json) or an ED list (*.txt, *.csv).";
inline constexpr char kFindVariable[] = "Find variable:";
inline constexpr char kFindVariableDescription[]
    = "Shows only the variables whose name, label or code labels hold this text";
// The Tables page: counts of the chosen areas by one or two variables or area levels.
inline constexpr char kPageTables[] = "Tables";
inline constexpr char kTableUnitLabel[] = "Count:";
inline constexpr char kTableRowsLabel[] = "Rows:";
inline constexpr char kTableColumnsLabel[] = "Columns:";
inline constexpr char kTableShowLabel[] = "Show:";
inline constexpr char kTableUnitPersons[] = "Persons";
inline constexpr char kTableUnitHouseholds[] = "Households";
inline constexpr char kTableNoColumns[] = "(none)";
inline constexpr char kTableAreaItem[] = "%1 (area)";
inline constexpr char kTableShowCounts[] = "Counts";
inline constexpr char kTableShowRowPercent[] = "Row %";
inline constexpr char kTableShowColumnPercent[] = "Column %";
inline constexpr char kTableShowTotalPercent[] = "Total %";
inline constexpr char kMakeTable[] = "Make Table";
inline constexpr char kTableResult[] = "Table";
inline constexpr char kTableChart[] = "Chart";
inline constexpr char kTableCopy[] = "Copy";
inline constexpr char kTableSave[] = "Save Table...";
inline constexpr char kTableCancel[] = "Cancel";
inline constexpr char kTableProgress[] = "Counting";
inline constexpr char kTableSummarySpoken[] = "What the table counted";
inline constexpr char kTableTotal[] = "Total";
inline constexpr char kTableSaveTitle[] = "Save the table";
inline constexpr char kTableSaveFilter[] = "CSV files (*.csv);;All files (*)";
inline constexpr char kTableSaveFailed[] = "The table was not saved:";
inline constexpr char kTableFailed[] = "The table could not be made:";
inline constexpr char kTableTitleOneWay[] = "%1 by %2";
inline constexpr char kTableTitleTwoWay[] = "%1 by %2 and %3";
/// "Persons in 2 wards (14 EDs): 3,710, counted in 12 ms"
inline constexpr char kTableCounted[] = "%1 in %2 (%3): %4, counted in %5 ms";
inline constexpr char kTableAllAreas[] = "all areas";
inline constexpr char kTableEdList[] = "the ED list of %1";
inline constexpr char kTableCodesWithoutFile[] = "; %1 without a household file, not counted";
inline constexpr char kTableEmpty[] = "The table is empty: %1.";
inline constexpr char kTableCancelled[] = "The table was cancelled; nothing was counted.";
inline constexpr char kTableCounting[] = "Counting...";
inline constexpr char kTableChartLargestRows[] = "the %1 largest of %2 rows shown";
inline constexpr char kTableChartLargestColumns[] = "the %1 largest of %2 columns shown";
