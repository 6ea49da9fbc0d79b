#pragma once

#include "geography/AreaTables.h"

#include <QList>
#include <QWidget>

#include <array>
#include <optional>
#include <string>

class FileChooser;
class ListBox;
class ListWidgetAdapter;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QHBoxLayout;

/// The Select Area(s) page, pgSelectAreas: either the five area lists, countries
/// down to wards, each beside its heading, or the user's ED list file. The lists'
/// contents are the cascade's (areaList()); the page switches between the two
/// ways of choosing and browses for the list file.
class AreasPage : public QWidget {
    Q_OBJECT

public:
    explicit AreasPage(QWidget* parent = nullptr);

    /// The list of `level` as the cascade drives it.
    ListWidgetAdapter& areaList(AreaLevel level) const { return *m_adapters[static_cast<std::size_t>(level)]; }
    /// The ED list file as typed, with "~/" standing for the home folder, when that
    /// way of choosing is on.
    std::optional<std::string> edListChoice() const;
    bool edListChosen() const;
    QString edListText() const;
    /// Switches to the ED list with `path`, or back to the area lists.
    void chooseEdList(const std::string& path);
    void chooseAreaLists();
    /// The start-up state: the area lists chosen and `path` in the ED list box.
    void startWith(const std::string& path);

    /// Puts the find box above the lists; the keyboard reaches it at `focus`.
    void addFinder(QWidget* finder, QWidget* focus);
    void showSummary(const QString& summary);
    void setFileChooser(FileChooser* chooser) { m_chooser = chooser; }

    /// The page's controls in the order the keyboard walks them.
    QList<QWidget*> focusOrder() const;
    /// The controls that take Alt+letter.
    QRadioButton* areaListsOption() const { return m_areaListsOption; }
    QRadioButton* edListOption() const { return m_edListOption; }

signals:
    /// The way of choosing changed; `edList` is on for the ED list file.
    void edListChosenChanged(bool edList);
    /// The ED list file's name changed.
    void edListTextChanged();

private:
    void browseEdList();
    void switchWays(bool edList);

    QRadioButton* m_areaListsOption = nullptr;
    std::array<QListWidget*, kNumAreaLevels> m_lists {}; // by AreaLevel: lstCountries .. lstWards
    std::array<ListWidgetAdapter*, kNumAreaLevels> m_adapters {};
    QRadioButton* m_edListOption = nullptr;
    QLineEdit* m_edListPath = nullptr;
    QPushButton* m_browseEdList = nullptr;
    QLabel* m_summary = nullptr;
    QHBoxLayout* m_findRow = nullptr;
    QWidget* m_finder = nullptr;
    FileChooser* m_chooser = nullptr;
};
