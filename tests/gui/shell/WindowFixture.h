#pragma once

#include "shell/ApplicationState.h"
#include "shell/MainWindow.h"

#include "SyntheticData.h"

#include <QListWidget>
#include <QTest>

#include <memory>

/// A main window over the synthetic area tree and the identity variable map, as if
/// started in kBase; nothing is read from disk or from the working directory.
struct WindowFixture {
    static constexpr const char* kBase = "/data/zendra91";

    WindowFixture()
        : state(std::make_unique<ApplicationState>())
    {
        state->folders = DataFolders::under(kBase);
        state->areas = syntheticAreaTables();
        state->variables = identityVariableCatalogue();
        window = std::make_unique<MainWindow>(*state);
    }

    template <typename W>
    W* find(const char* name) const
    {
        W* widget = window->findChild<W*>(QLatin1String(name));
        if (!widget)
            qFatal("no control named %s", name);
        return widget;
    }

    QListWidget* list(AreaLevel level) const { return window->controls().areaLists[static_cast<int>(level)]; }

    std::unique_ptr<ApplicationState> state;
    std::unique_ptr<MainWindow> window;
};

/// Clicks row `row` of a list as a user would, scrolling it into view first.
inline void clickRow(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualItemRect(list->item(row)).center());
}

inline QStringList rowTexts(const QListWidget* list)
{
    QStringList texts;
    for (int r = 0; r < list->count(); ++r)
        texts << list->item(r)->text();
    return texts;
}

inline QList<int> selectedRows(const QListWidget* list)
{
    QList<int> rows;
    for (int r = 0; r < list->count(); ++r)
        if (list->item(r)->isSelected())
            rows << r;
    return rows;
}
