#pragma once

// Start-up failure report; the loader's message (file, record, what was wrong) goes between.
inline constexpr char kStartupFailedTitle[] = "ZENDRA91";
inline constexpr char kStartupFailedIntro[] = "ZENDRA91 cannot start because a data file could not be read:\n\n";
inline constexpr char kStartupFailedEnd[]
    = "\n\nStart ZENDRA91 in the folder that holds the ProgramData, SARGlossary, SARData and Zen91Data folders.";
