#pragma once

#include "session/ApplicationState.h"
#include "window/FileChooser.h"
#include "window/MainWindow.h"

#include "demodata/DemoData.h"
#include "demodata/DemoGeography.h"
#include "FixtureData.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <array>
#include <memory>

enum class DataSet { Fixture, Demo };

/// The window's controls, found by their objectNames as screen readers and users'
/// scripts find them.
struct Controls {
    explicit Controls(const QWidget& window)
        : m_window(window)
    {
    }
    template <typename W> W* find(const char* name) const
    {
        W* widget = m_window.findChild<W*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control named %s", name);
        return widget;
    }

    const QWidget& m_window;
    QTabWidget* MultiPage1 = find<QTabWidget>("MultiPage1");
    QRadioButton* obSelectedAreas = find<QRadioButton>("obSelectedAreas");
    std::array<QListWidget*, kNumAreaLevels> areaLists { find<QListWidget>("lstCountries"),
        find<QListWidget>("lstRegions"), find<QListWidget>("lstCounties"), find<QListWidget>("lstDistricts"),
        find<QListWidget>("lstWards") };
    QRadioButton* obUserEDlist = find<QRadioButton>("obUserEDlist");
    QLineEdit* txtUserEDlist = find<QLineEdit>("txtUserEDlist");
    QLabel* lblSelectionSummary = find<QLabel>("lblSelectionSummary");
    QListWidget* lstHHVars_Orig = find<QListWidget>("lstHHVars_Orig");
    QListWidget* lstIndVars_Orig = find<QListWidget>("lstIndVars_Orig");
    QPushButton* cmdOrigVarHelp = find<QPushButton>("cmdOrigVarHelp");
    QPushButton* cmdResetOrigVars = find<QPushButton>("cmdResetOrigVars");
    QPushButton* cmdResetDerivedVars = find<QPushButton>("cmdResetDerivedVars");
    QCheckBox* cbED = find<QCheckBox>("cbED");
    QCheckBox* cbWard = find<QCheckBox>("cbWard");
    QCheckBox* cbCountry = find<QCheckBox>("cbCountry");
    QLineEdit* txtUserOutput = find<QLineEdit>("txtUserOutput");
    QLineEdit* txtUserRootFilename = find<QLineEdit>("txtUserRootFilename");
    QRadioButton* obSeparateFiles = find<QRadioButton>("obSeparateFiles");
    QRadioButton* obCombinedFiles = find<QRadioButton>("obCombinedFiles");
    QComboBox* cboFileFormat = find<QComboBox>("cboFileFormat");
    QPushButton* btExtract = find<QPushButton>("btExtract");
    QLineEdit* txtFileWarningSize = find<QLineEdit>("txtFileWarningSize");
};

/// The program as started in a freshly written data folder: a fresh state (so a
/// fresh generator) and its main window, shown, with questions answered from a
/// script and No where the script says nothing.
struct TestWindow {
    explicit TestWindow(DataSet data = DataSet::Fixture)
    {
        if (data == DataSet::Demo)
            writeDemoData(dir.path());
        else
            FixtureData::write(dir);
        StartupLoad load = loadAtStartup(DataFolders::under(dir.path()));
        if (!load.state)
            qFatal("%s", load.error.c_str());
        state = std::move(load.state);
        window = std::make_unique<MainWindow>(*state);
        dialogs.otherwise = false;
        window->setDialogs(dialogs);
        window->show();
    }

    Controls c() const { return Controls(*window); }
    QListWidget* list(AreaLevel level) const { return c().areaLists[static_cast<int>(level)]; }
    QString path(const char* relative) const { return QString::fromStdString(dir.file(relative)); }
    QString asked() const { return QString::fromStdString(dialogs.asked()); }
    void extract() { c().btExtract->click(); }

    /// Expands the ward list and chooses `ward` alone, as a click on its row would;
    /// returns its code.
    std::string chooseWard(int ward)
    {
        QListWidget* wards = list(AreaLevel::Ward);
        wards->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
        wards->setCurrentRow(state->areas.level(AreaLevel::Ward).listPos[ward], QItemSelectionModel::ClearAndSelect);
        return state->areas.wardCodes[ward];
    }

    /// The demo's large ward (104 EDs, so the extraction draws); returns its code.
    std::string chooseLargeWard() { return chooseWard(buildDemoGeography().largeWard); }

    /// The names in the default output folder, hidden ones too, or "(no folder)";
    /// the codebook and the request that go with every extraction left out.
    QStringList outputListing() const
    {
        QDir out(path("Zen91"));
        if (!out.exists())
            return { QStringLiteral("(no folder)") };
        QStringList names = out.entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
        names.removeAll(QStringLiteral("Zen91_codebook.csv"));
        names.removeAll(QStringLiteral("Zen91_request.json"));
        names.removeIf([](const QString& name) { return name.startsWith(QStringLiteral("Zen91_load.")); });
        return names;
    }

    /// Every control's value and whether it is enabled, to compare before and after.
    QStringList snapshot() const
    {
        QStringList values;
        for (const QWidget* w : window->findChildren<QWidget*>()) {
            // The progress dialog appears only when an extraction runs long; it is not a choice.
            if (w->window() != window.get())
                continue;
            QString value;
            if (auto* box = qobject_cast<const QLineEdit*>(w))
                value = box->text();
            else if (auto* button = qobject_cast<const QAbstractButton*>(w))
                value = button->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
            else if (auto* list = qobject_cast<const QListWidget*>(w)) {
                value = QString::number(list->count()) + QStringLiteral(" rows, selected");
                for (const QListWidgetItem* item : list->selectedItems())
                    value += QLatin1Char(' ') + QString::number(list->row(item));
            } else
                continue;
            values << w->objectName() + QLatin1Char('=') + value + (w->isEnabled() ? "" : " (disabled)");
        }
        return values;
    }

    TempDir dir;
    std::unique_ptr<ApplicationState> state;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

/// Answers every path question with the next of `answers`, recording where it was offered to start.
struct ScriptedChooser : FileChooser {
    QStringList answers;
    QStringList offered;
    QString chooseFolder(QWidget*, const QString&, const QString& s) override { return reply(s); }
    QString chooseFile(QWidget*, const QString&, const QString& s, const QString&) override { return reply(s); }
    QString chooseSaveFile(QWidget*, const QString&, const QString& s, const QString&) override { return reply(s); }
    QString reply(const QString& start)
    {
        return offered << start, answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

/// Clicks row `row` of a list as a user would, scrolling it into view first.
inline void clickRow(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualItemRect(list->item(row)).center());
}

/// Clicks an option button or check box on its indicator, the part that takes
/// clicks whatever width the layout gives the button.
inline void clickOption(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(8, button->height() / 2));
}

/// The names of the rows a list shows, "(None)" included when it shows.
inline QStringList shownRows(const QListWidget* list)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        if (!list->isRowHidden(row))
            names << list->item(row)->text().trimmed();
    return names;
}

/// Selects exactly `rows` of `list`.
inline void selectRows(QListWidget* list, std::initializer_list<int> rows)
{
    list->clearSelection();
    for (int row : rows)
        list->item(row)->setSelected(true);
}
