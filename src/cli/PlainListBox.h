#pragma once

#include "base/ListBox.h"

#include <string>
#include <vector>

/// A list box without a window: rows and their selection, for the command line.
class PlainListBox : public ListBox {
public:
    int count() const override { return static_cast<int>(m_rows.size()); }
    void clear() override { m_rows.clear(); }
    void addRow(const std::string& text) override { m_rows.push_back({ text, false }); }
    void removeRow(int row) override { m_rows.erase(m_rows.begin() + row); }
    bool isSelected(int row) const override { return m_rows.at(static_cast<std::size_t>(row)).selected; }
    void setSelected(int row, bool selected) override { m_rows.at(static_cast<std::size_t>(row)).selected = selected; }
    void setEnabled(bool) override { }

    const std::string& text(int row) const { return m_rows.at(static_cast<std::size_t>(row)).text; }

private:
    struct Row {
        std::string text;
        bool selected;
    };
    std::vector<Row> m_rows;
};
