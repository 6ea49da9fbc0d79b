#pragma once

#include <QHash>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>

class QSettings;

/// What the window remembers between runs, and nothing else: the folder each
/// chooser last used, the request files opened, saved or written most recently,
/// and the window's place. Never a choice: every start shows the start-up state.
///
/// Kept in an INI file. A file that is corrupt gives the defaults and is written
/// anew; one that cannot be read or written gives the defaults and is left alone
/// (each change then lasts for this run only). Never throws.
class WindowSettings {
public:
    /// Remembers for this run only: --no-settings, and the tests.
    WindowSettings();
    /// Reads and writes the file at `path`.
    explicit WindowSettings(const QString& path);
    ~WindowSettings();
    WindowSettings(const WindowSettings&) = delete;
    WindowSettings& operator=(const WindowSettings&) = delete;

    /// ~/.config/zendra91/zendra91.conf, or under XDG_CONFIG_HOME when it is set.
    static QString defaultPath();

    enum class Place { OutputFolder, EdList, RequestFiles };
    /// The folder that chooser last used; empty when none is remembered.
    QString lastFolder(Place place) const;
    void setLastFolder(Place place, const QString& folder);

    static constexpr int kMaxRecent = 10;
    /// The remembered request files that still exist, newest first.
    QStringList recentRequests() const;
    /// Puts `path` (made absolute) first, once, keeping the newest kMaxRecent.
    void addRecentRequest(const QString& path);
    void clearRecentRequests();

    std::optional<QRect> windowGeometry() const;
    void setWindowGeometry(const QRect& geometry);

private:
    QVariant value(const QString& key) const;
    void setValue(const QString& key, const QVariant& value);
    QStringList storedRecent() const;

    std::unique_ptr<QSettings> m_file;
    QHash<QString, QVariant> m_values;
};

/// `saved` moved, and shrunk where it must be, to lie wholly on the screen it
/// overlaps most, or on the first when it overlaps none: a window put back where a
/// screen no longer is stays reachable.
QRect placedOnScreen(const QRect& saved, const QList<QRect>& available);
