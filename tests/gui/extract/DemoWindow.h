#pragma once

#include "extraction/ExtractDialogs.h"
#include "extraction/ExtractMessage.h"
#include "shell/ApplicationState.h"
#include "shell/MainWindow.h"

#include "DemoData.h"
#include "DemoGeography.h"
#include "TempDir.h"

#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QtGlobal>

#include <map>
#include <memory>
#include <vector>

inline const QStringList kMessageNames
    = { "M1", "M2", "M3", "M4", "M5", "M6", "M7", "M8", "M9", "ThresholdNotANumber", "ExtractionFailed" };

/// Answers each question as scripted for its message ("M4=Yes,M7=No"), No when
/// the script does not name it, and records every message shown.
class ScriptedDialogs : public ExtractDialogs {
public:
    bool askYesNo(const ExtractMessage& message) override
    {
        shown.push_back(message);
        auto it = answers.find(message.id);
        return it != answers.end() && it->second;
    }
    void inform(const ExtractMessage& message) override { shown.push_back(message); }

    void script(const QString& text)
    {
        for (const QString& item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QStringList parts = item.split(QLatin1Char('='));
            const auto id = static_cast<MessageId>(kMessageNames.indexOf(parts[0]));
            answers[id] = parts[1] == QLatin1String("Yes");
        }
    }
    QStringList asked() const
    {
        QStringList names;
        for (const ExtractMessage& m : shown)
            names << kMessageNames[static_cast<int>(m.id)];
        return names;
    }

    std::map<MessageId, bool> answers;
    std::vector<ExtractMessage> shown;
};

/// The program as started in a freshly written demo data folder: a fresh state
/// (so a fresh generator) and its main window, shown, with scripted questions.
struct DemoWindow {
    DemoWindow()
    {
        writeDemoData(dir.path());
        StartupLoad load = loadAtStartup(DataFolders::under(dir.path()));
        if (!load.state)
            qFatal("%s", load.error.c_str());
        state = std::move(load.state);
        window = std::make_unique<MainWindow>(*state);
        window->setDialogs(dialogs);
        window->show();
    }

    const MainWindow::Controls& c() const { return window->controls(); }
    QString path(const char* relative) const { return QString::fromStdString(dir.file(relative)); }

    /// Expands the wards list and chooses the demo's large ward (104 EDs, so the
    /// extraction draws) as a click on its row would; returns its code.
    std::string chooseLargeWard()
    {
        const int ward = buildDemoGeography().largeWard;
        QListWidget* wards = c().areaLists[static_cast<int>(AreaLevel::Ward)];
        wards->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
        wards->setCurrentRow(state->areas.wardListPos[ward], QItemSelectionModel::ClearAndSelect);
        return state->areas.wardCodes[ward];
    }

    static void selectRows(QListWidget* list, const QList<int>& rows)
    {
        list->clearSelection();
        for (int row : rows)
            list->item(row)->setSelected(true);
    }

    void extract() { c().btExtract->click(); }

    /// The names in the default output folder, hidden ones too, or "(no folder)".
    QStringList outputListing() const
    {
        QDir out(path("Zen91"));
        if (!out.exists())
            return { QStringLiteral("(no folder)") };
        return out.entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    /// Every control's value and whether it is enabled, to compare before and after.
    QStringList snapshot() const
    {
        QStringList values;
        for (const QWidget* w : window->findChildren<QWidget*>()) {
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
