#include "FakeListBox.h"

#include "variables/VariableCatalogue.h"

#include <algorithm>

void FakeListBox::clear()
{
    rows.clear();
    selected.clear();
    programChange();
}

void FakeListBox::addRow(const std::string& text)
{
    rows.push_back(text);
    selected.push_back(false);
    programChange();
}

void FakeListBox::removeRow(int row)
{
    rows.erase(rows.begin() + row);
    selected.erase(selected.begin() + row);
    programChange();
}

void FakeListBox::setSelected(int row, bool on)
{
    selectedWhileEnabled += enabled ? 1 : 0;
    if (selected.at(static_cast<std::size_t>(row)) == on)
        return;
    selected[static_cast<std::size_t>(row)] = on;
    programChange();
}

void FakeListBox::click(int row)
{
    selected.assign(rows.size(), false);
    selected.at(static_cast<std::size_t>(row)) = true;
    notify();
}

void FakeListBox::ctrlClick(int row)
{
    selected.at(static_cast<std::size_t>(row)) = !selected.at(static_cast<std::size_t>(row));
    notify();
}

void FakeListBox::deselectAll()
{
    selected.assign(rows.size(), false);
    notify();
}

void FakeListBox::selectOnly(const std::vector<std::string>& names)
{
    for (std::size_t r = 0; r < rows.size(); ++r)
        selected[r] = r > 0 && std::find(names.begin(), names.end(), trimmedName(rows[r])) != names.end();
}

std::vector<int> FakeListBox::selectedRows() const
{
    std::vector<int> out;
    for (int r = 0; r < count(); ++r)
        if (selected[static_cast<std::size_t>(r)])
            out.push_back(r);
    return out;
}

void FakeListBox::programChange()
{
    if (reentrant)
        notify();
}

void FakeListBox::notify()
{
    // A missing guard nests for ever; stop it and let the depth checks fail.
    constexpr int kMaxDepth = 3;
    if (m_depth >= kMaxDepth) {
        m_runaway = true;
        maxDepth = kMaxDepth + 1;
    }
    if (m_runaway || !onChange)
        return;
    ++m_depth;
    maxDepth = std::max(maxDepth, m_depth);
    onChange();
    --m_depth;
}
