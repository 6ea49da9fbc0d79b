#include "window/WindowSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace {

const char* placeKey(WindowSettings::Place place)
{
    switch (place) {
    case WindowSettings::Place::OutputFolder:
        return "folders/output";
    case WindowSettings::Place::EdList:
        return "folders/edList";
    case WindowSettings::Place::RequestFiles:
        return "folders/requests";
    }
    return "folders/unknown";
}

constexpr char kRecentKey[] = "recent/requests";
constexpr char kGeometryKey[] = "window/geometry";

} // namespace

WindowSettings::WindowSettings() = default;

WindowSettings::WindowSettings(const QString& path)
    : m_file(std::make_unique<QSettings>(path, QSettings::IniFormat))
{
    // Everything is read now: later reads come from memory, so a file that turns
    // bad while the window runs changes nothing.
    if (m_file->status() == QSettings::AccessError) {
        m_file.reset(); // unreadable: not ours to overwrite
        return;
    }
    if (m_file->status() == QSettings::FormatError) {
        m_file->clear();
        m_file->sync();
        return;
    }
    for (const QString& key : m_file->allKeys())
        m_values.insert(key, m_file->value(key));
}

WindowSettings::~WindowSettings() = default;

QString WindowSettings::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/zendra91/zendra91.conf");
}

QVariant WindowSettings::value(const QString& key) const
{
    return m_values.value(key);
}

void WindowSettings::setValue(const QString& key, const QVariant& value)
{
    m_values.insert(key, value);
    if (m_file) {
        m_file->setValue(key, value);
        m_file->sync(); // a second window, or the next run, sees it at once
    }
}

QString WindowSettings::lastFolder(Place place) const
{
    const QVariant folder = value(QLatin1String(placeKey(place)));
    return folder.typeId() == QMetaType::QString ? folder.toString() : QString();
}

void WindowSettings::setLastFolder(Place place, const QString& folder)
{
    setValue(QLatin1String(placeKey(place)), QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
}

QStringList WindowSettings::storedRecent() const
{
    const QVariant stored = value(QLatin1String(kRecentKey));
    // A hand-edited file may hold a single path, or something that is no list at all.
    if (stored.typeId() == QMetaType::QString)
        return { stored.toString() };
    return stored.typeId() == QMetaType::QStringList ? stored.toStringList() : QStringList();
}

QStringList WindowSettings::recentRequests() const
{
    QStringList existing;
    for (const QString& path : storedRecent())
        if (!path.isEmpty() && QFileInfo(path).isFile() && !existing.contains(path) && existing.size() < kMaxRecent)
            existing << path;
    return existing;
}

void WindowSettings::addRecentRequest(const QString& path)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList recent = storedRecent();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    // Files gone since are dropped here, so that they do not push live ones out.
    recent.removeIf([](const QString& p) { return !QFileInfo(p).isFile(); });
    while (recent.size() > kMaxRecent)
        recent.removeLast();
    setValue(QLatin1String(kRecentKey), recent);
}

void WindowSettings::clearRecentRequests()
{
    setValue(QLatin1String(kRecentKey), QStringList());
}

std::optional<QRect> WindowSettings::windowGeometry() const
{
    const QVariant stored = value(QLatin1String(kGeometryKey));
    if (stored.typeId() != QMetaType::QRect)
        return std::nullopt;
    const QRect geometry = stored.toRect();
    if (geometry.width() < 100 || geometry.height() < 100)
        return std::nullopt;
    return geometry;
}

void WindowSettings::setWindowGeometry(const QRect& geometry)
{
    setValue(QLatin1String(kGeometryKey), geometry);
}

QRect placedOnScreen(const QRect& saved, const QList<QRect>& available)
{
    if (available.isEmpty())
        return saved;
    QRect screen = available.front();
    qint64 most = 0;
    for (const QRect& area : available) {
        const QRect overlap = area.intersected(saved);
        const qint64 size = qint64(overlap.width()) * overlap.height();
        if (!overlap.isEmpty() && size > most) {
            most = size;
            screen = area;
        }
    }
    QRect placed(saved.topLeft(), saved.size().boundedTo(screen.size()));
    placed.moveLeft(std::clamp(placed.left(), screen.left(), screen.right() - placed.width() + 1));
    placed.moveTop(std::clamp(placed.top(), screen.top(), screen.bottom() - placed.height() + 1));
    return placed;
}
