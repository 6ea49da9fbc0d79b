#pragma once

#include <QString>

#include <string>

/// A name from a data file as the window shows it: decoded as UTF-8 when it is valid
/// UTF-8, otherwise as Latin-1, so that files of either kind show no garbage.
QString displayText(const std::string& bytes);
