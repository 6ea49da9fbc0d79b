#include "window/RememberingFileChooser.h"

#include "window/PageWidgets.h"
#include "window/WindowSettings.h"
#include "window/WindowTexts.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace {

using Place = WindowSettings::Place;

std::optional<Place> placeOf(const QString& title)
{
    if (title == widgets::text(kChooseOutputFolder))
        return Place::OutputFolder;
    if (title == widgets::text(kChooseEdList))
        return Place::EdList;
    if (title == widgets::text(kOpenRequestTitle) || title == widgets::text(kSaveRequestTitle))
        return Place::RequestFiles;
    return std::nullopt;
}

/// The remembered folder of `place` while it still exists; empty otherwise.
QString rememberedFolder(const WindowSettings& settings, std::optional<Place> place)
{
    if (!place)
        return {};
    const QString folder = settings.lastFolder(*place);
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

} // namespace

RememberingFileChooser::RememberingFileChooser(FileChooser& inner, WindowSettings& settings)
    : m_inner(&inner)
    , m_settings(&settings)
{
}

QString RememberingFileChooser::chooseFolder(QWidget* parent, const QString& title, const QString& start)
{
    const std::optional<Place> place = placeOf(title);
    const QString remembered = rememberedFolder(*m_settings, place);
    const QString chosen = m_inner->chooseFolder(parent, title, remembered.isEmpty() ? start : remembered);
    if (place && !chosen.isEmpty())
        m_settings->setLastFolder(*place, chosen);
    return chosen;
}

QString RememberingFileChooser::chooseFile(
    QWidget* parent, const QString& title, const QString& start, const QString& filter)
{
    const std::optional<Place> place = placeOf(title);
    const QString remembered = rememberedFolder(*m_settings, place);
    const QString chosen = m_inner->chooseFile(parent, title, remembered.isEmpty() ? start : remembered, filter);
    if (place && !chosen.isEmpty())
        m_settings->setLastFolder(*place, QFileInfo(chosen).absolutePath());
    return chosen;
}

QString RememberingFileChooser::chooseSaveFile(
    QWidget* parent, const QString& title, const QString& start, const QString& filter)
{
    const std::optional<Place> place = placeOf(title);
    const QString remembered = rememberedFolder(*m_settings, place);
    // The offered name stays; only its folder is the remembered one.
    const QString offered = remembered.isEmpty() ? start : QDir(remembered).filePath(QFileInfo(start).fileName());
    const QString chosen = m_inner->chooseSaveFile(parent, title, offered, filter);
    if (place && !chosen.isEmpty())
        m_settings->setLastFolder(*place, QFileInfo(chosen).absolutePath());
    return chosen;
}
