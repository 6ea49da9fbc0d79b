#pragma once

#include <string>
#include <vector>

/// The list operations the core needs from a list box, so that the area cascade and
/// the variable selection run against real widgets and test fakes alike. A real list
/// raises its change notification from inside these calls, re-entrantly; callers
/// guard against that themselves.
class ListBox {
public:
    virtual ~ListBox() = default;

    virtual int count() const = 0;
    virtual void clear() = 0;
    virtual void addRow(const std::string& text) = 0;
    virtual void removeRow(int row) = 0;
    virtual bool isSelected(int row) const = 0;
    virtual void setSelected(int row, bool selected) = 0;
    virtual void setEnabled(bool enabled) = 0;

    /// Adds `texts` at the end, in order, each selected when `selected` is true. The
    /// result is that of addRow and setSelected row by row; a widget overrides this
    /// to insert and select in one go, raising fewer notifications.
    virtual void addRows(const std::vector<std::string>& texts, bool selected)
    {
        for (const std::string& text : texts) {
            addRow(text);
            if (selected)
                setSelected(count() - 1, true);
        }
    }

    /// Selects exactly `rows` (ascending) and nothing else. The result is that of
    /// setSelected row by row; a widget overrides this to change its selection in one go.
    virtual void setSelectedRows(const std::vector<int>& rows)
    {
        std::size_t next = 0;
        for (int r = 0; r < count(); ++r) {
            bool on = next < rows.size() && rows[next] == r;
            next += on ? 1 : 0;
            setSelected(r, on);
        }
    }
};
