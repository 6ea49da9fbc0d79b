#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct AreaTables;

enum class EdSource { AreaSelection, UserList };

/// One requested ED. `code` is what is written in front of its records.
struct EdEntry {
    EdSource source = EdSource::UserList;
    std::string code;
    int wardIndex = 0; ///< area selection only
    int edNumber = 0; ///< area selection only, from 1
    int partIndex = 0; ///< area selection only: 0 the ED itself, j its j-th lettered part
    bool written = true;
};

/// The ordered requested EDs of one extraction, produced entry by entry so that an
/// all-areas request holds no list of every ED in memory.
class EdList {
public:
    /// Every ED and lettered part of the wards with finalWards(w) = 1, ward by ward.
    /// `areas` must outlive the list.
    static EdList fromAreaSelection(const AreaTables& areas);
    /// One entry per code, in order, repeats included.
    static EdList fromUserList(std::vector<std::string> codes);

    EdSource source() const { return m_source; }
    /// The number of entries, unwritten ones included.
    std::uint64_t size() const { return m_size; }

    /// Fills `entry` with the next entry; false when the list is exhausted.
    bool next(EdEntry& entry);

private:
    EdList() = default;

    EdSource m_source = EdSource::UserList;
    std::uint64_t m_size = 0;
    const AreaTables* m_areas = nullptr;
    std::vector<std::string> m_codes;
    std::size_t m_codeIndex = 0;
    int m_ward = 0;
    int m_ed = 1;
    int m_part = 0;
};
