#pragma once

// The fixed texts of the help window, spelt as the user sees them.
namespace HelpTexts {

inline constexpr char kDefaultCaption[] = "Quorvale Web Browser";

inline constexpr char kHomeText[] = "Home";
inline constexpr char kHomeTip[] = "Home page";
inline constexpr char kBackText[] = "<< Back";
inline constexpr char kBackTip[] = "Go back";
inline constexpr char kForwardText[] = "Forward >>";
inline constexpr char kForwardTip[] = "Go forward";
inline constexpr char kCloseTip[] = "Exit";

inline constexpr char kNotFoundTitle[] = "Page not found";
inline constexpr char kNotFoundLead[] = "The help page could not be found:";
inline constexpr char kUnreadableTitle[] = "Page cannot be read";
inline constexpr char kUnreadableLead[] = "The help page could not be read:";

} // namespace HelpTexts
