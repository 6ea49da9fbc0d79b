#pragma once

// The names the program gives its folders and files when the user names none. The
// window, the command and the demo data generator all start from these.

/// Under the working directory: where results go, and the user ED list looked for.
inline constexpr char kDefaultOutputFolderName[] = "Zen91";
inline constexpr char kDefaultRootFileName[] = "Zen91";
inline constexpr char kDefaultEdListFileName[] = "EDlist.txt";

/// The four data folders under the working directory, and the rejected-code report.
inline constexpr char kProgramDataFolderName[] = "ProgramData";
inline constexpr char kGlossaryFolderName[] = "SARGlossary";
inline constexpr char kSarDataFolderName[] = "SARData";
inline constexpr char kPopulationDataFolderName[] = "Zen91Data";
inline constexpr char kRejectedEdsFileName[] = "RejectedEDs.txt";
