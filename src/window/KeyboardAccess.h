#pragma once

#include <QString>

class QAbstractButton;
class QTabWidget;

/// `caption` (UTF-8) as shown with Alt+`letter` as its mnemonic: "&" before the
/// first `letter` in it, an "&" of the caption doubled so it still shows. Without
/// that letter the caption comes back with no mnemonic.
QString withMnemonic(const char* caption, QChar letter);

/// Gives `button` the mnemonic; its accessible name stays the caption as spoken.
void setMnemonic(QAbstractButton* button, const char* caption, QChar letter);
/// Gives tab `index` of `tabs` the mnemonic.
void setMnemonic(QTabWidget* tabs, int index, const char* caption, QChar letter);
