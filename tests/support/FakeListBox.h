#pragma once

#include "base/ListBox.h"
#include "variables/VariableCatalogue.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

/// A list box in memory. A re-entrant one raises its change notification from
/// inside every call that changes its rows or selection, as real list boxes do; a
/// quiet one only for the user's own clicks.
class FakeListBox : public ListBox {
public:
    int count() const override { return static_cast<int>(rows.size()); }
    void clear() override { rows.clear(), selected.clear(), programChange(); }
    void addRow(const std::string& text) override { rows.push_back(text), selected.push_back(false), programChange(); }
    void removeRow(int row) override
    {
        rows.erase(rows.begin() + row), selected.erase(selected.begin() + row), programChange();
    }
    bool isSelected(int row) const override { return selected.at(static_cast<std::size_t>(row)); }
    void setSelected(int row, bool on) override
    {
        selectedWhileEnabled += enabled ? 1 : 0;
        if (isSelected(row) != on)
            selected[static_cast<std::size_t>(row)] = on, programChange();
    }
    void setEnabled(bool on) override { enabled = on; }

    /// A user's plain click, control-click and "deselect everything": one change,
    /// one notification.
    void click(int row) { selected.assign(rows.size(), false), selected.at(row) = true, notify(); }
    void ctrlClick(int row) { selected.at(row) = !selected.at(row), notify(); }
    void deselectAll() { selected.assign(rows.size(), false), notify(); }
    /// Selects exactly the rows after row 0 that show `names` (trimmed).
    void selectOnly(const std::vector<std::string>& names)
    {
        for (std::size_t r = 0; r < rows.size(); ++r)
            selected[r] = r > 0 && std::find(names.begin(), names.end(), trimmedName(rows[r])) != names.end();
    }
    std::vector<int> selectedRows() const
    {
        std::vector<int> out;
        for (int r = 0; r < count(); ++r)
            if (isSelected(r))
                out.push_back(r);
        return out;
    }

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
    void programChange()
    {
        if (reentrant)
            notify();
    }
    void notify()
    {
        // A missing guard nests for ever; stop it and let the depth checks fail.
        if (m_depth >= 3)
            m_runaway = true, maxDepth = 4;
        if (m_runaway || !onChange)
            return;
        ++m_depth;
        maxDepth = std::max(maxDepth, m_depth);
        onChange();
        --m_depth;
    }

    bool m_runaway = false;
    int m_depth = 0;
};
