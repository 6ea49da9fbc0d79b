#pragma once

#include "shell/ListBox.h"

#include <functional>
#include <string>
#include <vector>

/// A list box in memory. A re-entrant one raises its change notification from
/// inside every call that changes its rows or selection, as real list boxes do; a
/// quiet one only for the user's own clicks.
class FakeListBox : public ListBox {
public:
    int count() const override { return static_cast<int>(rows.size()); }
    void clear() override;
    void addRow(const std::string& text) override;
    void removeRow(int row) override;
    bool isSelected(int row) const override { return selected.at(static_cast<std::size_t>(row)); }
    void setSelected(int row, bool on) override;
    void setEnabled(bool on) override { enabled = on; }

    /// A user's plain click, control-click and "deselect everything": one change,
    /// one notification.
    void click(int row);
    void ctrlClick(int row);
    void deselectAll();
    /// Selects exactly the rows after row 0 that show `names` (trimmed).
    void selectOnly(const std::vector<std::string>& names);
    std::vector<int> selectedRows() const;

    bool reentrant = false;
    std::function<void()> onChange;
    std::vector<std::string> rows;
    std::vector<bool> selected;
    bool enabled = true;
    int selectedWhileEnabled = 0;
    /// The deepest nesting of notifications seen; runaway nesting is cut short
    /// past 3 and shows as 4.
    int maxDepth = 0;

private:
    void programChange();
    void notify();

    bool m_runaway = false;
    int m_depth = 0;
};
